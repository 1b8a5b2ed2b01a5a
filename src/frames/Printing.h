#pragma once
// "&Drucken...", "Sei&tenansicht" and "Direkt d&rucken" for a window's view: the same
// print job as on screen and in `render`, on the printer or in the preview. Before more
// than 500 pages the user is asked; printing shows its progress and can be stopped.

#include "platform/Prompter.h"
#include "views/PrintJob.h"

class KapibuchView;
class QPrinter;
class QWidget;

namespace printing {

// More pages than this are printed or previewed only after a question.
inline constexpr int kPagesWithoutQuestion = 500;

// Asks "Der Ausdruck umfasst ... Seiten. Trotzdem fortfahren?" when there are more pages
// than kPagesWithoutQuestion; true to go on.
bool ConfirmPages(platform::Prompter& prompter, int pages);
// Prints the printer's page range of a job laid out into `pages` pages, after the question,
// with a progress dialog whose "Abbrechen" stops it; false when it was not printed whole.
bool PrintPages(QWidget* parent, views::PrintJob& job, QPrinter& printer, int pages,
                platform::Prompter& prompter);

// The print dialog, then the printer.
void Print(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter);
// The print preview.
void Preview(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter);
// The default printer, without a dialog.
void PrintDirect(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter);

}  // namespace printing
