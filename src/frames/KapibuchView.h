#pragma once
// The view of a document window: scrolls in tenths of a millimetre, rebuilds the rows of
// its frame's mode, draws them through the Qt painter surface, prints and previews.

#include <QAbstractScrollArea>
#include <memory>
#include <vector>

#include "document/KapibuchDoc.h"
#include "views/AnalysisView.h"
#include "views/Charts.h"
#include "views/DevelopmentView.h"
#include "views/PrintJob.h"
#include "views/Table.h"

class ChildFrame;
class QPrinter;

class KapibuchView : public QAbstractScrollArea, public DocumentObserver {
  Q_OBJECT

 public:
  KapibuchView(ChildFrame& frame, CKapibuchDoc& doc, QWidget* parent = nullptr);
  ~KapibuchView() override;

  // hint 0: the document changed; hint 111 with a frame: only that frame's views.
  void OnDocumentUpdate(int hint, const void* frame) override;
  // Rebuilds the rows of the frame's mode and sets the scroll sizes.
  void Rebuild();
  // The view as printed, for the printer, the preview and files.
  std::unique_ptr<views::PrintJob> MakePrintJob() const;
  void Print(QPrinter& printer) const;

  int Rebuilds() const { return m_rebuilds; }
  QSize LogicalSize() const { return m_logicalSize; }
  // The current scroll position in tenths of a millimetre.
  QPoint LogicalPosition() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  double Scale() const;
  void UpdateScrollBars();
  void ScrollBy(int dx, int dy);

  ChildFrame& m_frame;
  CKapibuchDoc& m_doc;
  int m_rebuilds = 0;
  QSize m_logicalSize{32767, 32767};
  // Per mode: what the last rebuild made.
  views::Table m_table;
  views::ColumnLayout m_layout;
  std::unique_ptr<views::DevelopmentModel> m_development;
  views::DevelopmentMeasures m_developmentMeasures;
  views::ChartData m_chart;
  views::AnalysisScales m_scales;
};
