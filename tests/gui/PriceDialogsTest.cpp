// The price dialogs filled as a user fills them. Typed prices and the import's result are
// stored at once, by design; the views follow once, when the dialog closes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGridLayout>
#include <QPlainTextEdit>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialogs/KurseEingebenDialog.h"
#include "dialogs/KurseExportierenDialog.h"
#include "dialogs/KurseImportierenDialog.h"
#include "model/KBXKursverlauf.h"
#include "tests/forms/FormsTestUtil.h"
#include "tests/gui/DialogTestUtil.h"
#include "tests/support/ByteDiff.h"

using namespace guitest;
using namespace testutil;

namespace {

// The price field beside the security's label on the page shown, or nullptr.
QLineEdit* FindPriceField(QDialog& dialog, const QString& security) {
  for (QGridLayout* grid : dialog.findChildren<QGridLayout*>()) {
    for (int i = 0; i < grid->count(); ++i) {
      auto* label = qobject_cast<QLabel*>(grid->itemAt(i)->widget());
      if (!label || label->text() != security) continue;
      int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
      grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
      return qobject_cast<QLineEdit*>(grid->itemAtPosition(row, column + 1)->widget());
    }
  }
  return nullptr;
}

QLineEdit* PriceField(QDialog& dialog, const QString& security) {
  QLineEdit* field = FindPriceField(dialog, security);
  if (!field) ADD_FAILURE() << "no price field for " << security.toStdString();
  return field;
}

std::int32_t PriceOn(const CKapibuchDoc& doc, const std::string& name, CKBXDatum day) {
  const CKBXKursverlauf* history = nullptr;
  for (const auto& h : doc.Histories()) {
    if (h->Name() == name) history = h.get();
  }
  return history ? history->PriceOn(day) : kNoPrice;
}

class PriceDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("kapibuch-prices-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  QString PathOf(const char* name) const { return QString::fromStdString((m_dir / name).string()); }

  std::unique_ptr<CKapibuchDoc> m_doc = SamplePortfolio();
  ScriptedPrompter m_prompter;
  platform::MemorySettingsStore m_settings;
  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(PriceDialogsTest, PricesTypedAreStoredAndShownOnceOnClosing) {
  m_doc->SetModified(false);
  UpdateCounter views(*m_doc);
  dialogs::KurseEingebenDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  // Under the fields, the rule for days before a split.
  bool splitNote = false;
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    splitNote |= label->isVisible() &&
                 label->text() ==
                     QStringLiteral("Kurse für Tage vor einem Aktiensplit geben Sie in geteilter Form ein.");
  }
  EXPECT_TRUE(splitNote);
  EXPECT_EQ(FindPriceField(dialog, QStringLiteral("Bayer AG")), nullptr);  // sold: not listed
  QLineEdit* siemens = PriceField(dialog, QStringLiteral("Siemens AG"));
  Type(siemens, QStringLiteral("123,45"));
  EXPECT_EQ(siemens->text(), QStringLiteral("123,45 EUR"));
  QLineEdit* fund = PriceField(dialog, QStringLiteral("Öko Fonds"));
  Type(fund, QStringLiteral("minus eins"));  // unreadable: kept
  EXPECT_EQ(fund->text(), QString());

  // All securities, on a day with a price: emptying the field deletes it.
  Click(Button(dialog, QStringLiteral("nur Wert&papiere im Depot")));
  TypeDate(dialog.findChild<dialogs::DateField*>(), QDate(2003, 1, 1));
  QLineEdit* bayer = PriceField(dialog, QStringLiteral("Bayer AG"));
  ASSERT_NE(bayer, nullptr);
  EXPECT_EQ(bayer->text(), QStringLiteral("65,00 EUR"));
  Type(bayer, QString());

  // Nothing is stored while the dialog is open; closing stores every price as one change.
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(8, 12, 2026)), kNoPrice);
  EXPECT_FALSE(m_doc->IsModified());
  EXPECT_EQ(views.updates, 0);
  Click(Button(dialog, QStringLiteral("Schließen")));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(views.updates, 1);
  EXPECT_TRUE(m_doc->IsModified());
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(8, 12, 2026)), 12345);
  EXPECT_EQ(PriceOn(*m_doc, "Öko Fonds", Day(8, 12, 2026)), kNoPrice);
  EXPECT_EQ(PriceOn(*m_doc, "Bayer AG", Day(1, 1, 2003)), kNoPrice);
  EXPECT_EQ(PriceOn(*m_doc, "Bayer AG", Day(1, 1, 1999)), 6000);
}

// Esc right after typing, with the keyboard still in the field: the price typed counts.
TEST_F(PriceDialogsTest, EscKeepsThePriceBeingTyped) {
  m_doc->SetModified(false);
  dialogs::KurseEingebenDialog dialog(*m_doc, m_prompter);
  Open(dialog);
  QLineEdit* siemens = PriceField(dialog, QStringLiteral("Siemens AG"));
  siemens->setFocus();
  QTest::keyClicks(siemens, QStringLiteral("77,70"));
  QTest::keyClick(siemens, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(8, 12, 2026)), 7770);
  EXPECT_TRUE(m_doc->IsModified());
}

// Closing without a change updates nothing and leaves the modified flag as it was.
TEST_F(PriceDialogsTest, PriceEntryWithoutChanges) {
  UpdateCounter views(*m_doc);
  for (const bool modified : {false, true}) {
    m_doc->SetModified(modified);
    dialogs::KurseEingebenDialog dialog(*m_doc, m_prompter);
    Open(dialog);
    Type(PriceField(dialog, QStringLiteral("Siemens AG")), QStringLiteral("unlesbar"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(m_doc->IsModified(), modified);
  }
  EXPECT_EQ(views.updates, 0);
}

TEST_F(PriceDialogsTest, ImportWithASavedFormat) {
  const QString file = PathOf("siemens.txt");
  std::ofstream(file.toStdString(), std::ios::binary) << "02.01.2004;50,10\r\n05.01.2004;51,20\r\n";
  UpdateCounter views(*m_doc);
  dialogs::KurseImportierenDialog dialog(*m_doc, m_prompter, m_settings);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  EXPECT_EQ(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel"))->currentText(), QStringLiteral("723610"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Dateiname")), file);
  auto* formats = Field<QComboBox>(dialog, QStringLiteral("Datei&format"));
  EXPECT_EQ(formats->currentIndex(), 0);
  EXPECT_FALSE(Button(dialog, QStringLiteral("S&peichern..."))->isEnabled());

  // A description of one's own, saved under a title.
  auto* description = Field<QPlainTextEdit>(dialog, QStringLiteral("F&ormatbeschreibung:"));
  description->setFocus();
  QTest::keyClick(description, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(description, QStringLiteral("<WIEDERHOLE: <DATUM> ; <KURS_EUR> <NZ> >"));
  EXPECT_EQ(formats->currentIndex(), -1);
  WhenDialogShows([](QDialog* save) {
    EXPECT_EQ(save->windowTitle(), QStringLiteral("Formatbeschreibung speichern"));
    QTest::keyClicks(save->findChild<QLineEdit*>(), QStringLiteral("Mein Format"));
    Press(*save, QDialogButtonBox::Ok);
  });
  Click(Button(dialog, QStringLiteral("S&peichern...")));
  EXPECT_EQ(formats->count(), 11);
  EXPECT_EQ(formats->currentText(), QStringLiteral("Mein Format"));
  EXPECT_TRUE(Button(dialog, QStringLiteral("&Löschen"))->isEnabled());

  QString count;
  WhenDialogShows([&](QDialog* result) {
    EXPECT_EQ(result->windowTitle(), QStringLiteral("Importergebnis"));
    for (QLabel* label : result->findChildren<QLabel*>()) {
      if (label->text().endsWith(QStringLiteral("Kurse gefunden"))) count = label->text();
    }
    EXPECT_EQ(Cell(result->findChild<QTableWidget*>(), 1, 1), QStringLiteral("51,20 EUR"));
    Press(*result, QDialogButtonBox::Ok);
  });
  Click(Button(dialog, QStringLiteral("&Import starten...")));
  EXPECT_EQ(count, QStringLiteral("2 Kurse gefunden"));
  // Stored on the result's OK, one change that the views follow at once.
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(5, 1, 2004)), 5120);
  EXPECT_EQ(views.updates, 1);

  Click(Button(dialog, QStringLiteral("Schlie&ßen")));
  EXPECT_EQ(views.updates, 1);
  EXPECT_EQ(m_settings.GetInt("Settings", "ImpForAnz"), 11);
  EXPECT_EQ(m_settings.GetString("Settings", "ImpFor011Tit"), "Mein Format");
  EXPECT_EQ(m_settings.GetString("Settings", "ImpFor011Bes"), "<WIEDERHOLE: <DATUM> ; <KURS_EUR> <NZ> >");
  EXPECT_EQ(m_doc->lastImportFile, file.toStdString());
}

// An import whose result is cancelled stores nothing and updates nothing.
TEST_F(PriceDialogsTest, ImportResultCancelled) {
  const QString file = PathOf("oeko.txt");
  std::ofstream(file.toStdString(), std::ios::binary) << "02.01.2004\t50,10\r\n";
  const auto before = m_doc->Serialize();
  UpdateCounter views(*m_doc);
  dialogs::KurseImportierenDialog dialog(*m_doc, m_prompter, m_settings);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&WKN/Kürzel")), QStringLiteral("A0B1C2"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Dateiname")), file);
  bool shown = false;
  WhenDialogShows([&](QDialog* result) {
    shown = true;
    Press(*result, QDialogButtonBox::Cancel);
  });
  Click(Button(dialog, QStringLiteral("&Import starten...")));
  EXPECT_TRUE(shown);
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(views.updates, 0);
  EXPECT_TRUE(SameBytes(before, m_doc->Serialize()));
}

TEST_F(PriceDialogsTest, ExportWritesTheFileAndLeavesTheDocument) {
  const auto before = m_doc->Serialize();
  const QString file = PathOf("export.txt");
  dialogs::KurseExportierenDialog dialog(*m_doc, m_prompter, m_settings);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Bayer AG"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Dateiname")), file);
  Click(Button(dialog, QStringLiteral("W&KN/Kürzel speichern")));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Trennzeichen:")), QStringLiteral(";"));
  Click(Button(dialog, QStringLiteral("&Export starten...")));
  EXPECT_EQ(m_prompter.Last(), "Kurse wurden exportiert.");
  std::ifstream in(file.toStdString(), std::ios::binary);
  std::stringstream written;
  written << in.rdbuf();
  EXPECT_EQ(written.str(), "575200\r\n01.01.1999;60,00\r\n01.01.2003;65,00\r\n");
  Click(Button(dialog, QStringLiteral("Schlie&ßen")));
  EXPECT_TRUE(SameBytes(before, m_doc->Serialize()));
}

// A download that no stored description reads: the assistant finds its shape, the user
// looks at the preview, switches the currency there and back, and takes the description
// with Enter. The import then reads every price; the missing one is reported.
TEST_F(PriceDialogsTest, ImportThroughTheAssistant) {
  const QString file = PathOf("sie.csv");
  std::ofstream(file.toStdString(), std::ios::binary)
      << "Date,Open,High,Low,Close,Adj Close,Volume\n2004-01-02,50.0,51.0,49.0,50.104999,45.1,1000\n"
         "2004-01-05,null,null,null,null,null,null\n2004-01-06,51.0,52.0,50.0,51.205,46.2,1200";
  dialogs::KurseImportierenDialog dialog(*m_doc, m_prompter, m_settings);
  Open(dialog);
  Choose(Field<QComboBox>(dialog, QStringLiteral("&Bezeichnung")), QStringLiteral("Siemens AG"));
  Type(Field<QLineEdit>(dialog, QStringLiteral("&Dateiname")), file);
  QString preview;
  WhenDialogShows([&](QDialog* assistant) {
    EXPECT_EQ(assistant->windowTitle(), QStringLiteral("Dateiformat erkennen"));
    auto* column = Field<QComboBox>(*assistant, QStringLiteral("Kurs&spalte:"));
    EXPECT_EQ(column->currentText(), QStringLiteral("Spalte 5 „Close“"));
    auto* currency = Field<QComboBox>(*assistant, QStringLiteral("&Währung:"));
    Choose(currency, QStringLiteral("DM"));
    for (QLabel* label : assistant->findChildren<QLabel*>()) {
      if (label->text().endsWith(QStringLiteral("Kurse gefunden"))) preview = label->text();
    }
    const auto* prices = assistant->findChildren<QTableWidget*>().back();
    EXPECT_EQ(Cell(prices, 0, 1), QStringLiteral("25,62 EUR"));  // 50,10 DM
    Choose(currency, QStringLiteral("Euro"));
    EXPECT_EQ(Cell(prices, 0, 1), QStringLiteral("50,10 EUR"));
    QTest::keyClick(assistant, Qt::Key_Return);
  });
  Click(Button(dialog, QStringLiteral("&Erkennen...")));
  EXPECT_EQ(preview, QStringLiteral("2 Kurse gefunden"));
  EXPECT_EQ(
      Field<QPlainTextEdit>(dialog, QStringLiteral("F&ormatbeschreibung:"))->toPlainText(),
      QStringLiteral(
          "<KOPFZEILEN:1>\n<WIEDERHOLE:\n  <DATUM>,<FELD>,<FELD>,<FELD>,<KURS_EUR:PUNKT>,<TEXT><NZ>\n>"));

  QString skipped;
  WhenDialogShows([&](QDialog* result) {
    for (QLabel* label : result->findChildren<QLabel*>()) {
      if (label->text().contains(QStringLiteral("übersprungen"))) skipped = label->text();
    }
    Press(*result, QDialogButtonBox::Ok);
  });
  Click(Button(dialog, QStringLiteral("&Import starten...")));
  EXPECT_EQ(skipped,
            QStringLiteral("1 Zeilen übersprungen:\nZeile 3: „2004-01-05,null,null,null,null,null,null“"));
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(2, 1, 2004)), 5010);
  EXPECT_EQ(PriceOn(*m_doc, "Siemens AG", Day(6, 1, 2004)), 5121);  // 51.205 rounds up

  // Closed with Esc: the descriptions are stored all the same.
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(m_settings.GetInt("Settings", "ImpForAnz"), 10);
}
