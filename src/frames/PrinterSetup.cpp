#include "frames/PrinterSetup.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

namespace printing {

namespace {

struct Choice {
  QString printerName;
  QPageLayout layout;
};

std::optional<Choice>& Chosen() {
  static std::optional<Choice> chosen;
  return chosen;
}

}  // namespace

bool HasPrinter() {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void UseChosenPrinter(QPrinter& printer) {
  if (!Chosen()) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    return;
  }
  if (!Chosen()->printerName.isEmpty()) printer.setPrinterName(Chosen()->printerName);
  printer.setPageLayout(Chosen()->layout);
}

void RunPrinterSetup(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  if (!HasPrinter()) printer.setOutputFormat(QPrinter::PdfFormat);
  UseChosenPrinter(printer);
  QPageSetupDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
  if (dialog.exec() != QDialog::Accepted) return;
  Chosen() = Choice{printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString(),
                    printer.pageLayout()};
}

}  // namespace printing
