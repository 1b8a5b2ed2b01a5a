#pragma once
// The view of a document window: scrolls in tenths of a millimetre, rebuilds the rows of
// its frame's mode, draws them through the Qt painter surface, prints and previews.

#include <QAbstractScrollArea>
#include <memory>
#include <vector>

#include "document/KapibuchDoc.h"
#include "views/ModeView.h"
#include "views/PrintJob.h"

class ChildFrame;

class KapibuchView : public QAbstractScrollArea, public DocumentObserver {
  Q_OBJECT

 public:
  KapibuchView(ChildFrame& frame, CKapibuchDoc& doc, QWidget* parent = nullptr);
  ~KapibuchView() override;

  // hint 0: the document changed; hint 111 with a frame: only that frame's views.
  void OnDocumentUpdate(const DocumentUpdate& update) override;
  // Rebuilds the rows of the frame's mode and sets the scroll sizes.
  void Rebuild();
  // The view as printed, for the printer, the preview and files.
  std::unique_ptr<views::PrintJob> MakePrintJob() const;

  int Rebuilds() const { return m_rebuilds; }
  // The mode object that the last rebuild made.
  const views::ModeView* Mode() const { return m_view.get(); }
  QSize LogicalSize() const { return m_logicalSize; }
  // The current scroll position in tenths of a millimetre.
  QPoint LogicalPosition() const;
  // The part of the view in sight, in tenths of a millimetre (y upwards).
  platform::Rect VisibleRect() const;

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
  std::unique_ptr<views::ModeView> m_view;
};
