#pragma once
// Prints a view into a file exactly as on paper: PDF with every page (A4), SVG or PNG with
// one page.

#include <functional>
#include <string>

#include "views/PrintJob.h"

class QPrinter;

namespace qt {

enum class RenderResult { Ok, BadPage, CannotWrite };

// The format follows the extension (.pdf, .svg, .png). page counts from 1 (SVG, PNG).
RenderResult RenderToFile(views::PrintJob& job, const std::string& path, int page, int* pageCount = nullptr);

// The printer's paper and printable area in tenths of a millimetre.
platform::PageGeometry PageOf(const QPrinter& printer);

// Lays a job out for a printer without printing (on a scratch image of the printer's
// resolution): the number of pages.
int LayOut(views::PrintJob& job, const QPrinter& printer);

// Told before each page is printed: its place in the range (from 0) and the range's size.
// Returning false stops the printing.
using PrintProgress = std::function<bool(int done, int total)>;

enum class PrintResult { Printed, Stopped, Failed };
// Prints every page of a job (or the printer's page range) on a printer: Stopped when the
// progress stopped it, Failed when the printer (or the file it prints to) could not start.
PrintResult PrintToPrinter(views::PrintJob& job, QPrinter& printer, const PrintProgress& progress = {});

// Makes sure a QGuiApplication exists (on the offscreen platform when there is no display).
void EnsureGuiApplication();

}  // namespace qt
