#include "frames/PreviewWindow.h"

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/DialogSupport.h"
#include "frames/Printing.h"
#include "qt/Rendering.h"

PreviewWindow::PreviewWindow(std::unique_ptr<views::PrintJob> job, int pages, QPrinter& printer,
                             platform::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_job(std::move(job)), m_printer(printer), m_prompter(prompter) {
  setWindowTitle(QStringLiteral("Seitenansicht"));
  m_cache = std::make_unique<PageCache>(*m_job, pages, qt::PageOf(printer));

  auto* bar = new QToolBar(this);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  AddAction("&Drucken...", QKeySequence(Qt::CTRL | Qt::Key_P), "Druckt die Seiten.", &PreviewWindow::OnPrint);
  bar->addAction(actions().back());
  bar->addSeparator();
  m_first =
      AddAction("&Erste Seite", QKeySequence(Qt::Key_Home), "Zeigt die erste Seite.", &PreviewWindow::First);
  m_previous = AddAction("&Vorherige Seite", QKeySequence(Qt::Key_PageUp), "Zeigt die vorherige Seite.",
                         &PreviewWindow::Previous);
  m_next = AddAction("&Nächste Seite", QKeySequence(Qt::Key_PageDown), "Zeigt die nächste Seite.",
                     &PreviewWindow::Next);
  m_last =
      AddAction("&Letzte Seite", QKeySequence(Qt::Key_End), "Zeigt die letzte Seite.", &PreviewWindow::Last);
  for (QAction* a : {m_first, m_previous, m_next, m_last}) bar->addAction(a);
  m_pageLabel = new QLabel(bar);
  m_pageLabel->setContentsMargins(8, 0, 8, 0);
  bar->addWidget(m_pageLabel);
  bar->addSeparator();
  m_zoomOut = AddAction("Ver&kleinern", QKeySequence(Qt::CTRL | Qt::Key_Minus), "Verkleinert die Seite.",
                        &PreviewWindow::ZoomOut);
  m_zoomIn = AddAction("Ver&größern", QKeySequence(Qt::CTRL | Qt::Key_Plus), "Vergrößert die Seite.",
                       &PreviewWindow::ZoomIn);
  // Strg+= is where the plus sign is on many keyboards.
  m_zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  bar->addAction(m_zoomOut);
  bar->addAction(m_zoomIn);
  m_zoomLabel = new QLabel(bar);
  m_zoomLabel->setContentsMargins(8, 0, 8, 0);
  bar->addWidget(m_zoomLabel);
  bar->addSeparator();
  bar->addAction(
      AddAction("Schl&ießen", QKeySequence(), "Schließt die Seitenansicht.", &PreviewWindow::reject));

  m_image = new QLabel;
  m_image->setAlignment(Qt::AlignCenter);
  m_scroll = new QScrollArea(this);
  m_scroll->setAlignment(Qt::AlignCenter);
  m_scroll->setBackgroundRole(QPalette::Dark);
  m_scroll->setWidget(m_image);
  m_scroll->setWidgetResizable(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(m_scroll, 1);
  dialogs::SizeWithinScreen(*this, QSize(1000, 800));
}

PreviewWindow::~PreviewWindow() = default;

QAction* PreviewWindow::AddAction(const char* text, const QKeySequence& key, const char* tip,
                                  void (PreviewWindow::*slot)()) {
  auto* a = new QAction(QString::fromUtf8(text), this);
  a->setShortcut(key);
  a->setShortcutContext(Qt::WindowShortcut);
  a->setToolTip(QString::fromUtf8(tip));
  connect(a, &QAction::triggered, this, slot);
  addAction(a);
  return a;
}

void PreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_image->pixmap().isNull()) Redraw();
}

void PreviewWindow::ShowPage(int page) {
  page = std::clamp(page, 1, std::max(1, m_cache->Pages()));
  if (page == m_current && !m_image->pixmap().isNull()) return;
  m_current = page;
  Redraw();
  m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::SetZoom(int index) {
  const int last = static_cast<int>(std::size(kZooms)) - 1;
  index = std::clamp(index, 0, last);
  if (index == m_zoom) return;
  m_zoom = index;
  Redraw();
}

void PreviewWindow::Redraw() {
  const int dpi = std::max(1, logicalDpiX() * kZooms[m_zoom] / 100);
  m_image->setPixmap(QPixmap::fromImage(m_cache->Page(m_current, dpi)));
  m_image->resize(m_image->pixmap().size());
  m_pageLabel->setText(QStringLiteral("Seite %1 von %2").arg(m_current).arg(m_cache->Pages()));
  m_zoomLabel->setText(QStringLiteral("%1 %").arg(kZooms[m_zoom]));
  m_first->setEnabled(m_current > 1);
  m_previous->setEnabled(m_current > 1);
  m_next->setEnabled(m_current < m_cache->Pages());
  m_last->setEnabled(m_current < m_cache->Pages());
  m_zoomOut->setEnabled(m_zoom > 0);
  m_zoomIn->setEnabled(m_zoom + 1 < static_cast<int>(std::size(kZooms)));
}

void PreviewWindow::OnPrint() {
  QPrintDialog dialog(&m_printer, this);
  dialog.setMinMax(1, m_cache->Pages());
  if (dialog.exec() != QDialog::Accepted) return;
  printing::PrintPages(this, *m_job, m_printer, m_cache->Pages(), m_prompter);
  // The printer may have laid the pages out differently: the preview follows it again.
  const int pages = qt::LayOut(*m_job, m_printer);
  m_cache->Reset(pages, qt::PageOf(m_printer));
  m_current = std::clamp(m_current, 1, std::max(1, m_cache->Pages()));
  Redraw();
}
