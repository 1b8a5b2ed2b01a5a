// "Kurse aktualisieren" and "Kursquellen" as a user reaches them: Strg+U on the window, the
// securities ticked, "&Starten", the lines at the end, and Strg+Z taking the run back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

#include "dialogs/Help.h"
#include "document/UndoHistory.h"
#include "forms/PriceUpdate.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/gui/SampleWindowTest.h"
#include "tests/support/LoopbackServer.h"

using namespace guitest;
using namespace testutil;

namespace {

class UpdatePricesTest : public SampleWindowTest {
 protected:
  void SetUp() override {
    for (const char* proxy :
         {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "no_proxy"})
      ::unsetenv(proxy);
    SampleWindowTest::SetUp();
    m_server.Serve("/723610.csv", {200,
                                   "Date,Open,High,Low,Close,Adj Close,Volume\n"
                                   "2026-12-01,1,1,1,100.25,100.25,1\n"
                                   "2026-12-02,1,1,1,101.75,101.75,1\n",
                                   "", 0, false});
    forms::PriceSources::Store(m_settings, {"723610", m_server.Url("/{WKN}.csv"), "", "", ""});
    forms::PriceSources::Store(m_settings, {"A0B1C2", m_server.Url("/{WKN}.csv"), "", "", ""});
  }
  std::int32_t Price(CKBXDatum day) { return Doc().FindHistory("Siemens AG", "723610")->PriceOn(day); }
  // A shortcut typed into the document window, as after a click into it.
  void TypeShortcut(Qt::Key key) {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    m_window->widget()->setFocus();
    QWidget* typing = QApplication::focusWidget();
    ASSERT_NE(typing, nullptr);
    QTest::keyClick(typing, key, Qt::ControlModifier);
  }

  testutil::LoopbackServer m_server;
};

}  // namespace

TEST_F(UpdatePricesTest, StrgUFetchesEveryTickedSecurityAndStrgZTakesTheRunBack) {
  QStringList listed;
  WhenDialogShows([&](QDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Kurse aktualisieren"));
    auto* list = dialog->findChild<QListWidget*>();
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    Click(Button(*dialog, QStringLiteral("&Starten")));
  });
  TypeShortcut(Qt::Key_U);
  EXPECT_EQ(listed,
            (QStringList{QStringLiteral("Siemens AG (723610)"), QStringLiteral("Öko Fonds (A0B1C2)")}));
  EXPECT_EQ(m_prompter.Last(),
            "Siemens AG (723610): 2 Kurse\nÖko Fonds (A0B1C2): Fehler – Server antwortet 404");
  EXPECT_EQ(Price(Day(2, 12, 2026)), 10175);
  EXPECT_EQ(Doc().Undo()->UndoLabel(), "Kurse aktualisieren");

  TypeShortcut(Qt::Key_Z);
  EXPECT_EQ(Price(Day(1, 12, 2026)), kNoPrice);
  EXPECT_EQ(Price(Day(2, 12, 2026)), kNoPrice);
}

TEST_F(UpdatePricesTest, AnUntickedSecurityIsNotFetched) {
  WhenDialogShows([&](QDialog* dialog) {
    auto* list = dialog->findChild<QListWidget*>();
    list->item(1)->setCheckState(Qt::Unchecked);  // Öko Fonds
    Type(dialog->findChild<QLineEdit*>(), QStringLiteral("02.12.2026"));
    Click(Button(*dialog, QStringLiteral("&Starten")));
  });
  Action(QStringLiteral("Kurse ak&tualisieren..."))->trigger();
  EXPECT_EQ(m_prompter.Last(), "Siemens AG (723610): 1 Kurs");
  EXPECT_EQ(Price(Day(1, 12, 2026)), kNoPrice);  // before the day asked for
  EXPECT_EQ(m_server.Requests().size(), 1u);
}

TEST_F(UpdatePricesTest, SourcesAreEditedInTheirTableAndTested) {
  WhenDialogShows([&](QDialog* dialog) {
    auto* table = dialog->findChild<QTableWidget*>();
    if (table->rowCount() != 3) {  // Bayer, Siemens, Öko Fonds
      ADD_FAILURE() << table->rowCount() << " rows";
      return dialog->reject();
    }
    EXPECT_EQ(table->item(1, 2)->text(), QString::fromStdString(m_server.Url("/{WKN}.csv")));
    table->setCurrentCell(1, 2);
    Click(Button(*dialog, QStringLiteral("&Testen")));
    table->item(0, 2)->setText(QStringLiteral("ftp://kurse.invalid/x"));
    Press(*dialog, QDialogButtonBox::Ok);  // refused: the dialog stays
    EXPECT_TRUE(dialog->isVisible());
    table->item(0, 2)->setText(QString::fromStdString(m_server.Url("/bayer.csv")));
    table->item(2, 2)->setText(QString());  // Öko Fonds' source goes
    Press(*dialog, QDialogButtonBox::Ok);
  });
  Action(QStringLiteral("Kurs&quellen..."))->trigger();
  ASSERT_GE(m_prompter.messages.size(), 2u);
  const std::string tested = m_prompter.messages[m_prompter.messages.size() - 2].text;
  EXPECT_NE(tested.find("Siemens AG (723610): 2 Kurse"), std::string::npos) << tested;
  EXPECT_NE(tested.find("Es wurde nichts gespeichert."), std::string::npos);
  EXPECT_EQ(m_prompter.Last(), "Bayer AG: Nur https:-, http:- und file:-Adressen sind erlaubt.");
  EXPECT_EQ(Price(Day(1, 12, 2026)), kNoPrice);  // the test stored nothing
  const std::vector<forms::PriceSource> sources = forms::PriceSources::Load(m_settings);
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0].wkn, "575200");
  EXPECT_EQ(sources[1].wkn, "723610");
}

TEST_F(UpdatePricesTest, ACancelledRunStoresNothing) {
  m_server.Serve("/A0B1C2.csv", {200, "Datum;Schluss\n01.12.2026;12,00\n", "", 3000, false});  // slow
  bool cancelled = false;
  WhenDialogShows([&](QDialog* dialog) {
    // Once both downloads run and Siemens' has come in, the user cancels the progress.
    auto* watch = new QTimer(dialog);
    QObject::connect(watch, &QTimer::timeout, watch, [&, watch] {
      auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      if (!progress || m_server.Requests().size() < 2 || progress->value() < 1) return;
      watch->stop();
      cancelled = true;
      Click(progress->findChild<QPushButton*>());
    });
    watch->start(20);
    Click(Button(*dialog, QStringLiteral("&Starten")));
    EXPECT_TRUE(dialog->isVisible());  // the run can be started again
    dialog->reject();
  });
  Action(QStringLiteral("Kurse ak&tualisieren..."))->trigger();
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(m_prompter.Last(), "Die Aktualisierung wurde abgebrochen. Es wurden keine Kurse gespeichert.");
  EXPECT_EQ(Price(Day(2, 12, 2026)), kNoPrice);  // Siemens' prices had come in already
  EXPECT_FALSE(Doc().IsModified());
}

TEST_F(UpdatePricesTest, F1ShowsTheHelpOfEitherDialog) {
  const auto helpShown = [] {
    auto* help = qobject_cast<QTextBrowser*>(dialogs::HelpWindow());
    const QString topic = help && help->isVisible() ? help->source().fragment() : QString();
    if (help) help->close();
    return topic;
  };
  for (const auto& [menu, topic] :
       {std::pair{QStringLiteral("Kurse ak&tualisieren..."), QStringLiteral("h2014")},
        std::pair{QStringLiteral("Kurs&quellen..."), QStringLiteral("h2015")}}) {
    QString shown;
    WhenDialogShows([&](QDialog* dialog) {
      QTest::keyClick(dialog, Qt::Key_F1);
      shown = helpShown();
      dialog->reject();
    });
    Action(menu)->trigger();
    EXPECT_EQ(shown, topic) << menu.toStdString();
  }
}
