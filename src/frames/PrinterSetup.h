#pragma once
// "Drucker&einrichtung...": the printer, paper and orientation that printing, the preview
// and direct printing use from then on, for as long as the program runs.

class QPrinter;
class QWidget;

namespace printing {

// Whether any printer is installed.
bool HasPrinter();
// The printer setup dialog; without a printer, the paper and orientation only.
void RunPrinterSetup(QWidget* parent);
// Gives a printer the choices of the printer setup (A4, the default printer, until then).
void UseChosenPrinter(QPrinter& printer);

}  // namespace printing
