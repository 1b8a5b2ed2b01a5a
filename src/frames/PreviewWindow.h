#pragma once
// "Seitenansicht": the printed pages of a view, one at a time. A page is drawn when it is
// shown; only a few drawn pages are kept, and closing the window frees them all. Keys as in
// any preview: Bild auf/ab for the pages, Pos1/Ende for the first and last page, Strg+Plus
// and Strg+Minus for the zoom, Strg+P to print, Esc to close.

#include <QDialog>
#include <memory>

#include "frames/PageCache.h"
#include "platform/Prompter.h"
#include "views/PrintJob.h"

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;

class PreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // The job has been laid out for the printer into `pages` pages.
  PreviewWindow(std::unique_ptr<views::PrintJob> job, int pages, QPrinter& printer,
                platform::Prompter& prompter, QWidget* parent = nullptr);
  ~PreviewWindow() override;

  int CurrentPage() const { return m_current; }
  int Zoom() const { return kZooms[m_zoom]; }  // percent
  const PageCache& Cache() const { return *m_cache; }

  void ShowPage(int page);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  static constexpr int kZooms[] = {25, 50, 75, 100, 125, 150, 200, 300, 400};

  QAction* AddAction(const char* text, const QKeySequence& key, const char* tip,
                     void (PreviewWindow::*slot)());
  void First() { ShowPage(1); }
  void Previous() { ShowPage(m_current - 1); }
  void Next() { ShowPage(m_current + 1); }
  void Last() { ShowPage(m_cache->Pages()); }
  void ZoomIn() { SetZoom(m_zoom + 1); }
  void ZoomOut() { SetZoom(m_zoom - 1); }
  void SetZoom(int index);
  void OnPrint();
  void Redraw();

  std::unique_ptr<views::PrintJob> m_job;
  QPrinter& m_printer;
  platform::Prompter& m_prompter;
  std::unique_ptr<PageCache> m_cache;
  int m_current = 1;
  int m_zoom = 3;  // index into kZooms: 100 %
  QScrollArea* m_scroll = nullptr;
  QLabel* m_image = nullptr;
  QLabel* m_pageLabel = nullptr;
  QLabel* m_zoomLabel = nullptr;
  QAction* m_first = nullptr;
  QAction* m_previous = nullptr;
  QAction* m_next = nullptr;
  QAction* m_last = nullptr;
  QAction* m_zoomIn = nullptr;
  QAction* m_zoomOut = nullptr;
};
