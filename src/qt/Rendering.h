#pragma once
// Prints a view into a file exactly as on paper: PDF with every page (A4), SVG or PNG with
// one page.

#include <string>

#include "views/PrintJob.h"

class QPrinter;

namespace platform {

enum class RenderResult { Ok, BadPage, CannotWrite };

// The format follows the extension (.pdf, .svg, .png). page counts from 1 (SVG, PNG).
RenderResult RenderToFile(views::PrintJob& job, const std::string& path, int page, int* pageCount = nullptr);

// Prints every page of a job (or the printer's page range) on a printer.
void PrintToPrinter(views::PrintJob& job, QPrinter& printer);

// Makes sure a QGuiApplication exists (on the offscreen platform when there is no display).
void EnsureGuiApplication();

}  // namespace platform
