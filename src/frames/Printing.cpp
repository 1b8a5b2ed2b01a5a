#include "frames/Printing.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "frames/KapibuchView.h"

namespace printing {

namespace {

void SetUp(QPrinter& printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
}

}  // namespace

void Print(QWidget* parent, const KapibuchView& view) {
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) view.Print(printer);
}

void Preview(QWidget* parent, const KapibuchView& view) {
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("Seitenansicht"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&view](QPrinter* p) { view.Print(*p); });
  dialog.resize(1000, 800);
  dialog.exec();
}

void PrintDirect(const KapibuchView& view) {
  QPrinter printer(QPrinter::HighResolution);
  SetUp(printer);
  view.Print(printer);
}

}  // namespace printing
