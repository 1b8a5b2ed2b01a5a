// The desktop program's windows, on the offscreen platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <functional>

#include "base/SafeFile.h"
#include "dialogs/Help.h"
#include "document/BackupStore.h"
#include "document/Changes.h"
#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MainFrame.h"
#include "frames/PeriodBar.h"
#include "platform/RecordingSurface.h"
#include "qt/DocumentSession.h"
#include "qt/Rendering.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/support/ByteDiff.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TextDiff.h"
#include "views/HoldingsRow.h"
#include "views/TablePrintJob.h"
#include "views/TableViews.h"
#include "views/ViewMode.h"

using namespace testutil;
using guitest::WhenDialogShows;
using views::ViewMode;

namespace {

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-gui-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
    m_file = QString::fromStdString((m_dir / "sample.kpz").string());
    std::filesystem::copy_file(std::string(KAPIBUCH_TEST_DATA) + "/sample.kpz", m_file.toStdString());
    m_frame = std::make_unique<MainFrame>(m_settings, m_prompter, TestClock());
    m_frame->resize(1400, 900);
    m_frame->show();
  }
  void TearDown() override {
    m_prompter.answers.clear();
    for (int i = 0; i < 4; ++i) m_prompter.answers.push_back(platform::Answer::No);
    m_frame.reset();
    std::filesystem::remove_all(m_dir);
  }

  platform::MemorySettingsStore m_settings;
  ScriptedPrompter m_prompter;
  std::unique_ptr<MainFrame> m_frame;
  std::filesystem::path m_dir;
  QString m_file;
};

}  // namespace

TEST_F(MainFrameTest, OpeningAFileAndSwitchingModes) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(m_frame->ActiveFrame(), frame);
  EXPECT_EQ(frame->Mode(), ViewMode::Holdings);
  EXPECT_TRUE(m_frame->ModeAction(ViewMode::Holdings)->isChecked());
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Depotbestand am"));
  EXPECT_GT(frame->View().LogicalSize().height(), 0);

  m_frame->ModeAction(ViewMode::Development)->trigger();
  EXPECT_EQ(frame->Mode(), ViewMode::Development);
  EXPECT_TRUE(m_frame->ModeAction(ViewMode::Development)->isChecked());
  EXPECT_FALSE(m_frame->ModeAction(ViewMode::Holdings)->isChecked());
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Depotentwicklung von"));
  for (const ViewMode mode : {ViewMode::Realised, ViewMode::Account, ViewMode::PortfolioChart,
                              ViewMode::SecurityChart, ViewMode::Analysis, ViewMode::Returns}) {
    m_frame->ModeAction(mode)->trigger();
    EXPECT_EQ(frame->Mode(), mode);
    QApplication::processEvents();
  }
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Rendite von"));
  EXPECT_EQ(m_frame->ModeAction(ViewMode::Returns)->shortcut(), QKeySequence(QStringLiteral("Ctrl+8")));
  EXPECT_GT(frame->View().LogicalSize().height(), 0);
  frame->View().grab();  // every mode draws

  // The same file again shows its window; a damaged file is refused with the message.
  EXPECT_EQ(m_frame->OpenFile(m_file), frame);
  const QString junk = QString::fromStdString((m_dir / "junk.kpz").string());
  std::ofstream(junk.toStdString()) << "no portfolio";
  EXPECT_EQ(m_frame->OpenFile(junk), nullptr);
  EXPECT_EQ(m_prompter.Last(), "Unerwartetes Dateiformat.");
}

TEST_F(MainFrameTest, YearlyOverviewWithItsYearFields) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  QAction* action = m_frame->ModeAction(ViewMode::Yearly);
  EXPECT_EQ(action->text(), QStringLiteral("&Jahresübersicht"));
  EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+9")));
  // Every mode's tool bar icon is one of the program's resources.
  for (const views::ModeTraits& traits : views::AllModes()) {
    const std::string icon = std::string("icons/") + traits.icon + ".svg";
    EXPECT_TRUE(std::filesystem::exists(std::string(KAPIBUCH_TEST_DATA) + "/../../resources/" + icon))
        << icon;
    std::ifstream qrc(std::string(KAPIBUCH_TEST_DATA) + "/../../resources/kapitalbuch.qrc");
    const std::string listed((std::istreambuf_iterator<char>(qrc)), std::istreambuf_iterator<char>());
    EXPECT_NE(listed.find("<file>" + icon + "</file>"), std::string::npos) << icon;
  }
  action->trigger();
  EXPECT_EQ(frame->Mode(), ViewMode::Yearly);
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Jahresübersicht von"));
  // Year fields instead of day pickers: the account's first year to this year.
  QSpinBox& first = m_frame->Period().FirstYear();
  QSpinBox& second = m_frame->Period().SecondYear();
  EXPECT_TRUE(first.isEnabled());
  EXPECT_FALSE(m_frame->FirstPicker().isEnabled());
  const int startYear = views::YearOf(frame->Session().Doc().Account().StartDay());
  EXPECT_EQ(first.value(), startYear);
  EXPECT_EQ(second.value(), 2026);
  EXPECT_EQ(first.minimum(), startYear);

  // The last year typed as a user types it: the view shows the years up to it.
  second.setFocus();
  second.selectAll();
  QTest::keyClicks(&second, "2003");
  QTest::keyClick(&second, Qt::Key_Return);
  EXPECT_EQ(views::YearOf(frame->State().Days(ViewMode::Yearly).second), 2003);
  EXPECT_EQ(first.maximum(), 2003);
  const int height = frame->View().LogicalSize().height();
  EXPECT_GT(height, 0);
  frame->View().grab();

  // Back to a mode of days: the day pickers return.
  m_frame->ModeAction(ViewMode::Returns)->trigger();
  EXPECT_TRUE(m_frame->FirstPicker().isEnabled());
  EXPECT_FALSE(first.isEnabled());
}

TEST_F(MainFrameTest, TwoWindowsKeepTheirOwnModesAndDays) {
  ChildFrame* first = m_frame->OpenFile(m_file);
  ChildFrame* second = m_frame->NewWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(&first->Session(), &second->Session());
  second->SetMode(ViewMode::Development);
  EXPECT_EQ(first->Mode(), ViewMode::Holdings);

  // A day change in one window rebuilds only that window.
  const int firstRebuilds = first->View().Rebuilds();
  const int secondRebuilds = second->View().Rebuilds();
  m_frame->Area().setActiveSubWindow(second);
  CKBXDatum from;
  from.Set(1, 6, 2002);
  m_frame->FirstPicker().setFocus();
  QTest::keyClick(&m_frame->FirstPicker(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&m_frame->FirstPicker(), QStringLiteral("1.6.2002"));
  QTest::keyClick(&m_frame->FirstPicker(), Qt::Key_Return);
  EXPECT_EQ(second->State().Days(ViewMode::Development).first, from);
  EXPECT_EQ(first->View().Rebuilds(), firstRebuilds);
  EXPECT_GT(second->View().Rebuilds(), secondRebuilds);

  // The period bar follows the active window.
  m_frame->Area().setActiveSubWindow(first);
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Depotbestand am"));
  EXPECT_EQ(m_frame->FirstPicker().text(), QStringLiteral("08.12.2026"));
  m_frame->Area().setActiveSubWindow(second);
  EXPECT_EQ(m_frame->FirstPicker().text(), QStringLiteral("01.06.2002"));

  // A window split into four panes updates all four.
  second->SetSplit(true);
  EXPECT_TRUE(second->Views()[3]->isVisibleTo(second));
  const int paneRebuilds = second->Views()[3]->Rebuilds();
  second->SetMode(ViewMode::Realised);
  EXPECT_GT(second->Views()[3]->Rebuilds(), paneRebuilds);
  second->SetSplit(false);
  EXPECT_FALSE(second->Views()[3]->isVisibleTo(second));
  second->SetMode(ViewMode::Development);

  // A document change rebuilds both.
  const int before1 = first->View().Rebuilds(), before2 = second->View().Rebuilds();
  first->Session().Doc().Apply(SettingsChange(first->Session().Doc().settings));
  EXPECT_EQ(first->View().Rebuilds(), before1 + 1);
  EXPECT_EQ(second->View().Rebuilds(), before2 + 1);

  if (const char* shot = std::getenv("KAPIBUCH_SCREENSHOT")) {
    second->SetMode(ViewMode::Development);
    first->SetMode(ViewMode::Holdings);
    m_frame->Area().tileSubWindows();
    QApplication::processEvents();
    m_frame->grab().save(QString::fromUtf8(shot));
  }
}

TEST_F(MainFrameTest, ClosingAModifiedDocumentAsks) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ChildFrame* other = m_frame->NewWindow();
  frame->Session().Doc().Apply(SettingsChange(frame->Session().Doc().settings));
  // Another window still shows the document: no question.
  other->close();
  EXPECT_TRUE(m_prompter.messages.empty());
  m_prompter.answers.push_back(platform::Answer::Cancel);
  EXPECT_FALSE(frame->close());
  EXPECT_EQ(m_prompter.Last(), "Änderungen in sample.kpz speichern?");
  EXPECT_EQ(m_frame->Frames().size(), 1u);
  m_prompter.answers.push_back(platform::Answer::No);
  EXPECT_TRUE(frame->close());
  QApplication::processEvents();
  EXPECT_TRUE(m_frame->Frames().empty());
  EXPECT_EQ(m_frame->FirstLabel().text(), QString());
}

TEST_F(MainFrameTest, RecentFilesAndLocks) {
  std::vector<QString> files;
  for (int i = 0; i < 5; ++i) {
    const QString path = QString::fromStdString((m_dir / ("f" + std::to_string(i) + ".kpz")).string());
    std::filesystem::copy_file(m_file.toStdString(), path.toStdString());
    files.push_back(path);
    ASSERT_NE(m_frame->OpenFile(path), nullptr);
  }
  m_frame->OpenFile(files[1]);  // already open: shown, not reopened
  const QStringList recent = m_frame->RecentFileList();
  ASSERT_EQ(recent.size(), 4);
  EXPECT_EQ(recent[0], files[4]);
  EXPECT_EQ(recent[3], files[1]);
  EXPECT_EQ(*m_settings.GetString("Recent File List", "File1"), files[4].toStdString());

  // A second program may not edit a file that is open here.
  qt::DocumentSession other(std::make_unique<CKapibuchDoc>(TestClock()), QString(), QStringLiteral("x"));
  EXPECT_FALSE(other.Lock(files[0]));
}

// The window prints the pages that `kapibuch-cli render` writes: every page of the
// holdings as the window's print job draws it on A4 has the texts, in the order drawn, of
// the program's SVG page.
TEST_F(MainFrameTest, PrintedPagesAreThoseOfTheCommandLine) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  const CKBXDatum day = frame->State().Days(ViewMode::Holdings).first;
  auto job = frame->View().MakePrintJob();
  const auto texts = [](const std::string& svg) {
    QFile file(QString::fromStdString(svg));
    std::string lines;
    if (!file.open(QIODevice::ReadOnly)) return std::string("(no page)");
    for (QXmlStreamReader xml(&file); !xml.atEnd();) {
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("text"))
        lines += xml.readElementText(QXmlStreamReader::IncludeChildElements).toStdString() + "\n";
    }
    return lines;
  };
  const std::string printed = (m_dir / "printed.svg").string(), rendered = (m_dir / "rendered.svg").string();
  const auto render = [&](int page) {
    return testutil::WaitFor(testutil::Spawn(
        KAPIBUCH_CLI_PATH, {"render", m_file.toStdString(), "--mode", "1", "--day", day.Format(), "--page",
                            std::to_string(page), "--output", rendered}));
  };
  int pages = 0;
  ASSERT_EQ(qt::RenderToFile(*job, printed, 1, &pages), qt::RenderResult::Ok);
  ASSERT_EQ(pages, 2);  // the sample's holdings are two pages wide
  for (int page = 1; page <= pages; ++page) {
    ASSERT_EQ(qt::RenderToFile(*job, printed, page), qt::RenderResult::Ok);
    ASSERT_EQ(render(page), 0) << "page " << page;
    const std::string fromWindow = texts(printed);
    EXPECT_NE(fromWindow.find(page == 1 ? "Siemens AG" : "Dividende"), std::string::npos) << fromWindow;
    EXPECT_TRUE(testutil::SameText(fromWindow, texts(rendered))) << "page " << page;
  }
  EXPECT_EQ(render(pages + 1), 1);  // and no page more
}

// The booking dialogs open on the active document and change nothing when cancelled.
TEST_F(MainFrameTest, BookingDialogsCancelWithoutChanges) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  const auto before = frame->Session().Doc().Serialize();
  int shown = 0;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    const QString text = a->text();
    if (!(text.startsWith(QStringLiteral("&Kauf")) || text.startsWith(QStringLiteral("&Verkauf")) ||
          text.startsWith(QStringLiteral("Konto&bewegung")) ||
          text.startsWith(QStringLiteral("&Aktiensplit")) ||
          text.startsWith(QStringLiteral("Kurse &eingeben")))) {
      continue;
    }
    ASSERT_TRUE(a->isEnabled()) << text.toStdString();
    WhenDialogShows([&shown](QDialog* dialog) {
      ++shown;
      dialog->reject();
    });
    a->trigger();
  }
  EXPECT_EQ(shown, 5);
  EXPECT_TRUE(SameBytes(before, frame->Session().Doc().Serialize()));
}

TEST_F(MainFrameTest, SecurityChartSelection) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  m_frame->ModeAction(ViewMode::SecurityChart)->trigger();
  EXPECT_EQ(m_frame->FirstLabel().text(), QStringLiteral("Wertpapiergrafik von"));
  const int rebuilds = frame->View().Rebuilds();
  frame->OnSelectPositions({frame->Session().Doc().Positions()[1]->number},
                           true);  // Siemens, bought 05.03.1999, open
  EXPECT_GT(frame->View().Rebuilds(), rebuilds);
  EXPECT_EQ(frame->State().Days(ViewMode::SecurityChart).first, Day(5, 3, 1999));
  EXPECT_EQ(frame->State().Days(ViewMode::SecurityChart).second, Day(8, 12, 2026));
  EXPECT_EQ(m_frame->FirstPicker().Day(), Day(5, 3, 1999));
  frame->OnSelectPositions({}, true);  // nothing marked: the period stays
  EXPECT_EQ(frame->State().Days(ViewMode::SecurityChart).first, Day(5, 3, 1999));
}

TEST_F(MainFrameTest, OptionsOpenOnTheModesPage) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  frame->SetMode(ViewMode::Development);
  QAction* options = nullptr;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    if (a->text() == QStringLiteral("&Optionen...")) options = a;
  }
  ASSERT_NE(options, nullptr);
  int page = -1;
  WhenDialogShows([&page](QDialog* dialog) {
    if (auto* tabs = dialog->findChild<QTabWidget*>()) page = tabs->currentIndex();
    dialog->accept();
  });
  frame->Session().Doc().SetModified(false);
  options->trigger();
  EXPECT_EQ(page, 5);                                // "Depotentwicklung (1)"
  EXPECT_TRUE(frame->Session().Doc().IsModified());  // OK marks modified, changed or not
}

// A change through a dialog of the "Bearbeiten" menu rebuilds every view of the document
// once, in every window, not twice.
TEST_F(MainFrameTest, OneRebuildPerBooking) {
  ChildFrame* first = m_frame->OpenFile(m_file);
  ASSERT_NE(first, nullptr);
  ChildFrame* second = m_frame->NewWindow();
  second->SetMode(ViewMode::Account);
  QApplication::processEvents();
  const int before1 = first->View().Rebuilds(), before2 = second->View().Rebuilds();
  QAction* holder = nullptr;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    if (a->text() == QStringLiteral("&Depotdaten...")) holder = a;
  }
  ASSERT_NE(holder, nullptr);
  WhenDialogShows([](QDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Erika Mustermann"));
    QTest::keyClick(dialog, Qt::Key_Return);
  });
  holder->trigger();
  EXPECT_EQ(first->Session().Doc().Account().holder, "Erika Mustermann");
  EXPECT_EQ(first->View().Rebuilds(), before1 + 1);
  EXPECT_EQ(second->View().Rebuilds(), before2 + 1);
  EXPECT_TRUE(second->windowTitle().contains(QLatin1Char('*')));
}

// "Speichern unter" to a place that cannot be written keeps the file that is open locked.
TEST_F(MainFrameTest, AFailedSaveAsKeepsTheLock) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  // A folder of that name: its lock can be taken, the save fails.
  std::filesystem::create_directories(m_dir / "other.kpz");
  const QString nowhere = QString::fromStdString((m_dir / "other.kpz").string());
  EXPECT_EQ(frame->Session().SaveAs(nowhere), DocumentError::Save);
  EXPECT_EQ(frame->Session().Path(), m_file);
  qt::DocumentSession other(std::make_unique<CKapibuchDoc>(TestClock()), QString(), QStringLiteral("x"));
  EXPECT_FALSE(other.Lock(m_file));
}

// Qt's own texts are German: the shortcuts in the menus read "Strg+...".
TEST_F(MainFrameTest, ShortcutsReadInGerman) {
  QAction* buy = nullptr;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    if (a->text() == QStringLiteral("&Kauf...")) buy = a;
  }
  ASSERT_NE(buy, nullptr);
  EXPECT_EQ(buy->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Strg+K"));
  EXPECT_EQ(m_frame->ModeAction(ViewMode::Analysis)->shortcut().toString(QKeySequence::NativeText),
            QStringLiteral("Strg+4"));
}

// "Hilfe" in a modal dialog shows the help above the dialog, usable while it stays open.
TEST_F(MainFrameTest, HelpAboveAModalDialog) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  QAction* holder = nullptr;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    if (a->text() == QStringLiteral("&Depotdaten...")) holder = a;
  }
  bool helpUsable = false;
  WhenDialogShows([&helpUsable](QDialog* dialog) {
    QTest::keyClick(dialog, Qt::Key_F1);
    QWidget* help = dialogs::HelpWindow();
    // Not blocked by the dialog's modality: a window of the dialog itself.
    helpUsable = help && help->isVisible() && help->parentWidget() == dialog;
    dialog->reject();
  });
  holder->trigger();
  EXPECT_TRUE(helpUsable);

  // From the main window the help is a window of its own that never keeps the program
  // running once the main window is closed.
  dialogs::ShowHelp();
  ASSERT_NE(dialogs::HelpWindow(), nullptr);
  EXPECT_EQ(dialogs::HelpWindow()->parentWidget(), nullptr);
  EXPECT_FALSE(dialogs::HelpWindow()->testAttribute(Qt::WA_QuitOnClose));
  dialogs::HelpWindow()->close();
}

// Every row of a long development view can be reached: Strg+Ende shows the last day of 30
// years, Strg+Pos1 the first; the captions stay in sight.
TEST_F(MainFrameTest, TheLastDayOfThirtyYearsIsReachable) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  frame->SetMode(ViewMode::Development);
  frame->OnFirstDateChanged(Day(1, 1, 1999));
  frame->OnSecondDateChanged(Day(31, 12, 2028));
  KapibuchView& view = frame->View();
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
  // The texts as the view gives them (the recording surface measures them wider than the
  // screen, so it would cut them).
  const auto drawnAt = [&view](const platform::Rect& visible) {
    platform::RecordingSurface surface;
    view.Mode()->Draw(surface, visible);
    std::vector<std::string> texts;
    for (const auto* t : surface.Texts()) texts.push_back(t->given);
    return texts;
  };
  const platform::Rect atEnd = view.VisibleRect();
  EXPECT_GT(view.LogicalPosition().y(), 32768);  // far past the old limit of the scroll area
  EXPECT_EQ(view.LogicalPosition().x(), 0);      // Strg+Ende moves only downwards
  const auto endTexts = drawnAt(atEnd);
  EXPECT_NE(std::find(endTexts.begin(), endTexts.end(), "31.12.2028"), endTexts.end());
  EXPECT_FALSE(view.grab().isNull());  // the screen draws there

  QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(view.LogicalPosition().y(), 0);
  const auto startTexts = drawnAt(view.VisibleRect());
  EXPECT_NE(std::find(startTexts.begin(), startTexts.end(), "01.01.1999"), startTexts.end());
  EXPECT_GT(view.Mode()->FixedArea().cy, 0);  // the captions stay while the rows scroll
}

// The first save of a session over a file keeps a copy of the old file; "Sicherungskopien..."
// lists the copies and opens one as a new, unsaved document.
TEST_F(MainFrameTest, BackupsBeforeTheFirstSaveOpenAsNewDocuments) {
  ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  CKapibuchDoc& doc = frame->Session().Doc();
  const std::string oldNumber = doc.depotNumber;
  const std::vector<std::uint8_t> before = doc.Serialize();
  HolderDataChange::Data data{doc.Account().holder, doc.Account().address, "neu", doc.Account().accountNumber,
                              doc.Account().bankCode};
  doc.Apply(HolderDataChange(data));
  ASSERT_TRUE(m_frame->SaveActive(false));
  data.depotNumber = "neuer";
  doc.Apply(HolderDataChange(data));
  ASSERT_TRUE(m_frame->SaveActive(false));  // the same session: no second copy
  const auto backups = BackupStore().List();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(backups[0].name, "sample");
  std::vector<std::uint8_t> copy;
  ASSERT_TRUE(ReadWholeFile(backups[0].path, copy));
  EXPECT_TRUE(SameBytes(before, copy));

  QAction* list = nullptr;
  for (QAction* a : m_frame->findChildren<QAction*>()) {
    if (a->text() == QStringLiteral("Sicherungs&kopien...")) list = a;
  }
  ASSERT_NE(list, nullptr);
  QString shownSize;
  WhenDialogShows([&shownSize](QDialog* dialog) {
    auto* rows = dialog->findChild<QTreeWidget*>();
    shownSize = rows->topLevelItem(0)->text(2);
    rows->setCurrentItem(rows->topLevelItem(0));
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
      if (b->text() == QStringLiteral("Ö&ffnen")) b->click();
    }
  });
  list->trigger();
  ASSERT_EQ(before.size(), 1649u);
  EXPECT_EQ(shownSize, QStringLiteral("1,6 KB"));  // 1649 / 1024 = 1,610 KB
  ChildFrame* opened = m_frame->ActiveFrame();
  ASSERT_NE(opened, frame);
  EXPECT_TRUE(opened->Session().Path().isEmpty());
  EXPECT_EQ(opened->Session().Title(), QStringLiteral("Depot1"));
  EXPECT_EQ(opened->Session().Doc().depotNumber, oldNumber);
  EXPECT_TRUE(opened->Session().Doc().IsModified());
}

// A backup that cannot be made stops the save, and the file stays as it was.
TEST_F(MainFrameTest, ASaveWithoutBackupIsRefused) {
  std::ofstream(m_dir / "plain") << "no folder";
  ::setenv("XDG_DATA_HOME", (m_dir / "plain").c_str(), 1);
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  std::vector<std::uint8_t> before;
  ASSERT_TRUE(ReadWholeFile(m_file.toStdString(), before));
  frame->Session().Doc().Apply(SettingsChange(frame->Session().Doc().settings));
  EXPECT_FALSE(m_frame->SaveActive(false));
  EXPECT_EQ(m_prompter.Last(),
            "Die Sicherungskopie konnte nicht angelegt werden; die Datei wurde nicht verändert.");
  std::vector<std::uint8_t> after;
  ASSERT_TRUE(ReadWholeFile(m_file.toStdString(), after));
  EXPECT_TRUE(SameBytes(before, after));
}

// The period bar takes a typed day when the field is left or Enter is pressed, not at
// every key; a day that does not exist is told and kept as typed, and changes nothing.
TEST_F(MainFrameTest, PeriodBarTakesATypedDayOnEnter) {
  ChildFrame* frame = m_frame->OpenFile(m_file);
  ASSERT_NE(frame, nullptr);
  m_frame->ModeAction(ViewMode::Development)->trigger();
  const auto first = [frame] { return frame->State().Days(ViewMode::Development).first; };
  const CKBXDatum before = first();
  dialogs::DateField& picker = m_frame->FirstPicker();
  picker.setFocus();
  QTest::keyClick(&picker, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&picker, QStringLiteral("15.1.2001"));
  EXPECT_EQ(first(), before);
  QTest::keyClick(&picker, Qt::Key_Return);
  EXPECT_EQ(first(), Day(15, 1, 2001));
  EXPECT_EQ(picker.text(), QStringLiteral("15.01.2001"));

  const std::size_t told = m_prompter.messages.size();
  QTest::keyClick(&picker, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&picker, QStringLiteral("31.04.2001"));
  QTest::keyClick(&picker, Qt::Key_Return);
  for (int i = 0; i < 100 && m_prompter.messages.size() == told; ++i) QTest::qWait(10);
  ASSERT_EQ(m_prompter.messages.size(), told + 1);
  EXPECT_EQ(m_prompter.Last(), "Bitte geben Sie ein gültiges Datum ein!");
  EXPECT_EQ(picker.text(), QStringLiteral("31.04.2001"));
  EXPECT_TRUE(picker.hasFocus());
  EXPECT_EQ(first(), Day(15, 1, 2001));

  // Day and month alone: that day of this year (the clock's, 2026).
  QTest::keyClick(&picker, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&picker, QStringLiteral("5.1."));
  QTest::keyClick(&picker, Qt::Key_Return);
  EXPECT_EQ(first(), Day(5, 1, 2026));
  EXPECT_EQ(picker.text(), QStringLiteral("05.01.2026"));
}

// "Fenster" lists the open windows, the active one checked; new windows lie inside the area.
TEST_F(MainFrameTest, WindowMenuListsTheWindows) {
  ChildFrame* first = m_frame->OpenFile(m_file);
  ChildFrame* second = m_frame->NewWindow();
  ASSERT_NE(second, nullptr);
  QMenu* windows = nullptr;
  for (QAction* a : m_frame->menuBar()->actions()) {
    if (a->text() == QStringLiteral("&Fenster")) windows = a->menu();
  }
  ASSERT_NE(windows, nullptr);
  emit windows->aboutToShow();
  QList<QAction*> entries;
  for (QAction* a : windows->actions()) {
    if (a->isCheckable()) entries << a;
  }
  ASSERT_EQ(entries.size(), 2);
  EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 ") + first->windowTitle());
  EXPECT_FALSE(entries[0]->isChecked());
  EXPECT_TRUE(entries[1]->isChecked());
  entries[0]->trigger();
  EXPECT_EQ(m_frame->ActiveFrame(), first);
  const QRect area = m_frame->Area().viewport()->rect();
  for (ChildFrame* f : {first, second}) EXPECT_TRUE(area.contains(f->geometry())) << f->geometry().x();
}
