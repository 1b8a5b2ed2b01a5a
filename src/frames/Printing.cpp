#include "frames/Printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <algorithm>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "frames/KapibuchView.h"
#include "frames/PreviewWindow.h"
#include "frames/PrinterSetup.h"
#include "qt/Rendering.h"

namespace printing {

namespace {

void SetUp(QPrinter& printer) {
  UseChosenPrinter(printer);
}

// Hands the memory of many freed pages back to the system.
void ReleaseFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

}  // namespace

bool ConfirmPages(platform::Prompter& prompter, int pages) {
  if (pages <= kPagesWithoutQuestion) return true;
  const std::string text = "Der Ausdruck umfasst " + std::to_string(pages) + " Seiten. Trotzdem fortfahren?";
  return prompter.Ask("Kapitalbuch", text, platform::Icon::Question, platform::Buttons::OkCancel) ==
         platform::Answer::Ok;
}

bool PrintPages(QWidget* parent, views::PrintJob& job, QPrinter& printer, int pages,
                platform::Prompter& prompter) {
  const int from = printer.fromPage() > 0 ? std::min(printer.fromPage(), pages) : 1;
  const int to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;
  if (!ConfirmPages(prompter, to - from + 1)) return false;
  QProgressDialog progress(QStringLiteral("Der Ausdruck wird vorbereitet..."), QStringLiteral("Abbrechen"), 0,
                           to - from + 1, parent);
  progress.setWindowTitle(QStringLiteral("Drucken"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  const qt::PrintResult result = qt::PrintToPrinter(job, printer, [&progress](int done, int total) {
    progress.setMaximum(total);
    progress.setLabelText(QStringLiteral("Seite %1 von %2 wird gedruckt...").arg(done + 1).arg(total));
    progress.setValue(done);
    return !progress.wasCanceled();
  });
  progress.reset();
  if (result == qt::PrintResult::Failed) {
    prompter.Tell("Kapitalbuch",
                  "Der Ausdruck konnte nicht gestartet werden. Bitte prüfen Sie den Drucker und seine "
                  "Einstellungen.",
                  platform::Icon::Exclamation);
  }
  return result == qt::PrintResult::Printed;
}

void Print(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter) {
  auto job = view.MakePrintJob();
  if (!job) return;
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  const int pages = qt::LayOut(*job, printer);
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, pages);
  if (dialog.exec() == QDialog::Accepted) PrintPages(parent, *job, printer, pages, prompter);
}

void Preview(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter) {
  auto job = view.MakePrintJob();
  if (!job) return;
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  const int pages = qt::LayOut(*job, printer);
  if (!ConfirmPages(prompter, pages)) return;
  {
    PreviewWindow window(std::move(job), pages, printer, prompter, parent);
    window.exec();
  }
  ReleaseFreedMemory();
}

void PrintDirect(QWidget* parent, const KapibuchView& view, platform::Prompter& prompter) {
  auto job = view.MakePrintJob();
  if (!job) return;
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  PrintPages(parent, *job, printer, qt::LayOut(*job, printer), prompter);
}

}  // namespace printing
