#pragma once
// "&Drucken...", "Sei&tenansicht" and "Direkt d&rucken" for a window's view: the same
// print job as on screen and in `render`, on the printer or in the preview.

class KapibuchView;
class QWidget;

namespace printing {

// The print dialog, then the printer.
void Print(QWidget* parent, const KapibuchView& view);
// The print preview.
void Preview(QWidget* parent, const KapibuchView& view);
// The default printer, without a dialog.
void PrintDirect(const KapibuchView& view);

}  // namespace printing
