// The program's own print preview: pages drawn when shown, a bounded number kept, keys as
// in any preview; the question before many pages and the progress that stops printing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/PageCache.h"
#include "frames/PreviewWindow.h"
#include "frames/Printing.h"
#include "qt/Rendering.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/SampleWindowTest.h"

using namespace guitest;
using namespace testutil;
using views::ViewMode;

namespace {

class PreviewWindowTest : public SampleWindowTest {
 protected:
  void SetUp() override {
    SampleWindowTest::SetUp();
    if (HasFatalFailure()) return;
    m_frame->ModeAction(ViewMode::Development)->trigger();
  }
};

bool HasInk(const QImage& image) {
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    }
  }
  return false;
}

// Pages of nothing, counting what is drawn.
class CountingJob : public views::PrintJob {
 public:
  explicit CountingJob(int pages) : m_pages(pages) {}
  int Begin(platform::Surface&) override { return m_pages; }
  void DrawPage(platform::Surface&, int) override {
    ++drawn;
    QTest::qWait(1);
  }
  int drawn = 0;

 private:
  int m_pages;
};

}  // namespace

TEST_F(PreviewWindowTest, PagesFollowTheKeysAndAreDrawnWhenShown) {
  bool seen = false;
  WhenDialogShows([&seen](QDialog* dialog) {
    auto* preview = qobject_cast<PreviewWindow*>(dialog);
    ASSERT_NE(preview, nullptr);
    seen = true;
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview));  // the keys go to the active window
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Seitenansicht"));
    const int pages = preview->Cache().Pages();
    ASSERT_GE(pages, 3);
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_EQ(preview->Cache().Draws(), 1);  // only the page on screen

    QTest::keyClick(preview, Qt::Key_PageDown);
    EXPECT_EQ(preview->CurrentPage(), 2);
    QTest::keyClick(preview, Qt::Key_End);
    EXPECT_EQ(preview->CurrentPage(), pages);
    QTest::keyClick(preview, Qt::Key_PageDown);  // there is no page after the last
    EXPECT_EQ(preview->CurrentPage(), pages);
    QTest::keyClick(preview, Qt::Key_PageUp);
    EXPECT_EQ(preview->CurrentPage(), pages - 1);
    EXPECT_EQ(preview->Cache().Draws(), 4);
    QTest::keyClick(preview, Qt::Key_Home);  // kept: not drawn again
    EXPECT_EQ(preview->CurrentPage(), 1);
    EXPECT_EQ(preview->Cache().Draws(), 4);

    QTest::keyClick(preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(preview->Zoom(), 125);
    QTest::keyClick(preview, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(preview, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(preview->Zoom(), 75);
    EXPECT_EQ(preview->Cache().Draws(), 6);  // each zoom draws the page anew
    QTest::keyClick(preview, Qt::Key_Escape);
  });
  Action(QStringLiteral("Sei&tenansicht"))->trigger();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(m_frame->findChildren<PreviewWindow*>().isEmpty());  // closed is gone
  EXPECT_TRUE(m_prompter.messages.empty());                        // few pages: no question
}

TEST_F(PreviewWindowTest, TheCacheKeepsFewPagesAndDrawsTheView) {
  auto job = m_window->View().MakePrintJob();
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  const int pages = qt::LayOut(*job, printer);
  ASSERT_GE(pages, 4);
  const QImage first = PageCache(*job, pages, qt::PageOf(printer)).Page(1, 50);
  EXPECT_TRUE(HasInk(first));
  const std::size_t pageBytes = static_cast<std::size_t>(first.sizeInBytes());

  PageCache cache(*job, pages, qt::PageOf(printer), pageBytes * 2);
  for (int page = 1; page <= 4; ++page) cache.Page(page, 50);
  EXPECT_EQ(cache.Draws(), 4);
  EXPECT_EQ(cache.Kept(), 2u);
  EXPECT_LE(cache.KeptBytes(), pageBytes * 2);
  cache.Page(3, 50);  // still kept
  EXPECT_EQ(cache.Draws(), 4);
  cache.Page(1, 50);  // long gone
  EXPECT_EQ(cache.Draws(), 5);
  EXPECT_EQ(cache.Page(1, 50), first);
  EXPECT_LT(first.width(), first.height());
  // Laid out again on landscape paper: the pages come out on the new paper.
  printer.setPageOrientation(QPageLayout::Landscape);
  cache.Reset(qt::LayOut(*job, printer), qt::PageOf(printer));
  EXPECT_EQ(cache.Kept(), 0u);
  const QImage turned = cache.Page(1, 50);
  EXPECT_GT(turned.width(), turned.height());
}

TEST_F(PreviewWindowTest, ManyPagesAskFirstAndPrintingCanBeStopped) {
  EXPECT_TRUE(printing::ConfirmPages(m_prompter, 500));
  EXPECT_TRUE(m_prompter.messages.empty());
  m_prompter.answers = {platform::Answer::Cancel, platform::Answer::Ok};
  EXPECT_FALSE(printing::ConfirmPages(m_prompter, 27435));
  EXPECT_EQ(m_prompter.Last(), "Der Ausdruck umfasst 27435 Seiten. Trotzdem fortfahren?");

  // Printing 600 pages: the question is answered with OK, then "Abbrechen" in the progress
  // dialog stops it.
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((m_dir / "out.pdf").string()));
  CountingJob job(600);
  bool stopped = false;
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, timer, [&] {
    for (auto* progress : m_frame->findChildren<QProgressDialog*>()) {
      if (!progress->isVisible()) continue;
      EXPECT_EQ(progress->windowTitle(), QStringLiteral("Drucken"));
      auto* cancel = progress->findChild<QPushButton*>();
      ASSERT_NE(cancel, nullptr);
      EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
      QTest::mouseClick(cancel, Qt::LeftButton);
      stopped = true;
      timer->stop();
    }
  });
  timer->start(20);
  EXPECT_FALSE(printing::PrintPages(m_frame.get(), job, printer, 600, m_prompter));
  delete timer;
  EXPECT_TRUE(stopped);
  EXPECT_GT(job.drawn, 0);
  EXPECT_LT(job.drawn, 600);
  EXPECT_EQ(m_prompter.Last(), "Der Ausdruck umfasst 600 Seiten. Trotzdem fortfahren?");

  // A printer that cannot start (here a file in a folder that does not exist) says so.
  printer.setOutputFileName(QString::fromStdString((m_dir / "missing" / "out.pdf").string()));
  CountingJob few(3);
  EXPECT_FALSE(printing::PrintPages(m_frame.get(), few, printer, 3, m_prompter));
  EXPECT_EQ(few.drawn, 0);
  EXPECT_EQ(
      m_prompter.Last(),
      "Der Ausdruck konnte nicht gestartet werden. Bitte prüfen Sie den Drucker und seine Einstellungen.");
}
