#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/SafeFile.h"
#include "forms/KurseExportierenForm.h"
#include "forms/KurseImportierenForm.h"
#include "priceio/FormatMatcher.h"
#include "tests/forms/FormsTestUtil.h"

using namespace testutil;

namespace {

std::string TempFile(const std::string& name, const std::string& content) {
  const auto path =
      std::filesystem::temp_directory_path() / ("kapibuch-import-" + std::to_string(::getpid()) + name);
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

ScriptedPrompter& SilentPrompter() {
  static ScriptedPrompter prompter;
  return prompter;
}

}  // namespace

TEST(KurseImportierenForm, NamedDescriptionsInTheSettings) {
  auto doc = DmPortfolio();
  platform::MemorySettingsStore settings;
  {
    KurseImportierenForm dlg(*doc, settings);
    ASSERT_EQ(dlg.Formats().size(), 10u);
    EXPECT_EQ(dlg.Description(), priceio::PredefinedDescriptions()[0].description);
    EXPECT_EQ(dlg.SelectedFormat(), 0);
    EXPECT_TRUE(dlg.DeleteEnabled());
    EXPECT_FALSE(dlg.SaveEnabled());
    dlg.Close();
  }
  EXPECT_EQ(settings.GetInt("Settings", "ImpForAnz"), 10);
  EXPECT_EQ(settings.GetString("Settings", "ImpFor010Tit"), priceio::PredefinedDescriptions()[9].title);
  EXPECT_EQ(settings.GetString("Settings", "ImpFor001Bes"), priceio::PredefinedDescriptions()[0].description);

  {
    KurseImportierenForm dlg(*doc, settings);
    dlg.ChooseFormat(2);
    ScriptedPrompter prompter;
    prompter.answers.push_back(platform::Answer::No);
    EXPECT_FALSE(dlg.DeleteFormat(prompter));
    EXPECT_TRUE(dlg.DeleteFormat(prompter));
    EXPECT_EQ(prompter.messages.back().text, "Möchten Sie diese Formatbeschreibung wirklich löschen?");
    EXPECT_EQ(dlg.Formats().size(), 9u);
    EXPECT_EQ(dlg.SelectedFormat(), -1);
    EXPECT_TRUE(dlg.SaveEnabled());
    // The description stays; saving it twice lists both, the later one is selected.
    dlg.SaveFormat("Meins");
    dlg.SaveFormat("Nochmal");
    EXPECT_EQ(dlg.SelectedFormat(), 10);
    dlg.SetDescription("<DATUM>;<KURS_EUR><NZ>");
    EXPECT_EQ(dlg.SelectedFormat(), -1);
    dlg.SetDescription(priceio::PredefinedDescriptions()[1].description);
    EXPECT_EQ(dlg.SelectedFormat(), 1);
    dlg.ChooseFormat(-1);
    dlg.ChooseFormat(9);
    dlg.DeleteFormat(prompter);
    dlg.DeleteFormat(prompter);  // nothing selected: nothing happens
    dlg.ChooseFormat(9);
    dlg.DeleteFormat(prompter);
    dlg.Close();
  }
  EXPECT_EQ(settings.GetInt("Settings", "ImpForAnz"), 9);
  EXPECT_EQ(settings.GetString("Settings", "ImpFor003Tit"), priceio::PredefinedDescriptions()[3].title);
  // Left over from the longer list, but not read any more.
  EXPECT_EQ(settings.GetString("Settings", "ImpFor010Tit"), priceio::PredefinedDescriptions()[9].title);
  EXPECT_EQ(settings.GetString("Settings", "ImpFor011Tit"), std::nullopt);
  KurseImportierenForm again(*doc, settings);
  EXPECT_EQ(again.Formats().size(), 9u);
}

TEST(KurseImportierenForm, ImportMessagesResultAndMerge) {
  auto doc = DmPortfolio();
  doc->Account().SwitchToEur(Day(1, 1, 1999));
  Buy(*doc, Day(2, 2, 1999), "Aktie", "A1", "1", "1");
  doc->MutablePositions()[0]->state = CKBXAktie::kSold;
  doc->MutablePositions()[0]->saleDate = Day(4, 2, 1999);
  doc->SetPrice("Aktie", "A1", Day(3, 2, 1999), 999);
  platform::MemorySettingsStore settings;
  ScriptedPrompter prompter;

  KurseImportierenForm dlg(*doc, settings);
  EXPECT_FALSE(dlg.StartImport(prompter));
  EXPECT_EQ(prompter.Last(),
            "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten importieren möchten!");
  dlg.ChooseWkn("A1");
  EXPECT_EQ(dlg.Name(), "Aktie");
  EXPECT_FALSE(dlg.StartImport(prompter));
  EXPECT_EQ(
      prompter.Last(),
      "Bitte geben Sie den Dateinamen einer Textdatei an, aus der Sie die Kursdaten importieren möchten!");
  dlg.fileName = "/nonexistent/kurse.txt";
  EXPECT_FALSE(dlg.StartImport(prompter));
  EXPECT_EQ(prompter.Last(), "Datei kann nicht geöffnet werden!");
  EXPECT_EQ(prompter.messages.back().icon, platform::Icon::Exclamation);
  EXPECT_EQ(prompter.messages.back().caption, "Kapitalbuch");

  dlg.fileName = TempFile("none.txt", "Kurse;\n");
  EXPECT_FALSE(dlg.StartImport(prompter));
  EXPECT_EQ(
      prompter.Last(),
      "Es konnten keine Kursdaten eingelesen werden.\n\nEntweder enthält die Datei keine Kurse oder die "
      "Formatbeschreibung paßt nicht zur ausgewählten Datei!\n\nZeile 1 der Datei passt nicht "
      "(Formatbeschreibung Zeile 2, Zeichen 5): „Kurse;“");

  dlg.fileName =
      TempFile("kurse.txt", "01.02.1999\t1\r\n02.02.1999\t2\r\n03.02.1999\t9,99\r\n04.02.1999\t4\r\n");
  dlg.SetDescription("<WIEDERHOLE: <DATUM><KURS_EUR> >");
  EXPECT_FALSE(dlg.StartImport(prompter));
  EXPECT_EQ(prompter.Last(), "Fehler in der Formatbeschreibung! (Zeile 1, Zeichen 21)");
  EXPECT_EQ(dlg.ErrorPosition(), 20u);

  dlg.ChooseFormat(0);
  auto result = dlg.StartImport(prompter);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->CountLine(), "4 Kurse gefunden");
  result->SetOnlyHeld(true);  // bought on 02.02., sold on 04.02.
  EXPECT_EQ(result->CountLine(), "2 Kurse gefunden");
  doc->SetModified(false);
  EXPECT_TRUE(result->OnOK(*doc));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->FindHistory("Aktie", "A1")->Points().size(), 2u);
  doc->SetModified(false);
  EXPECT_FALSE(result->OnOK(*doc));  // the same prices again
  EXPECT_FALSE(doc->IsModified());

  // The document remembers file, description and security for the next opening.
  dlg.Close();
  KurseImportierenForm next(*doc, settings);
  EXPECT_EQ(next.fileName, dlg.fileName);
  EXPECT_EQ(next.Name(), "Aktie");
  EXPECT_EQ(next.SelectedFormat(), 0);
}

TEST(KurseImportierenForm, ImplausiblePricesStartUntickedAndUnchangedListsStayUnwritten) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(2, 2, 1999), "Aktie", "A1", "1", "1");
  platform::MemorySettingsStore settings;
  KurseImportierenForm dlg(*doc, settings);
  dlg.ChooseName("Aktie");
  dlg.fileName = TempFile("odd.txt", "01.02.1999\t1,10\r\n02.02.1999\t1.125\r\n03.02.1999\t1,12\r\nnull\r\n");
  auto result = dlg.StartImport(SilentPrompter());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->CountLine(), "2 Kurse gefunden");
  EXPECT_EQ(result->SkippedLines(),
            (std::vector<std::string>{"2 Zeilen übersprungen:", "Zeile 2: „02.02.1999\t1.125“ (unplausibel)",
                                      "Zeile 4: „null“"}));
  EXPECT_FALSE(result->Taken(Day(2, 2, 1999)));
  result->SetTaken(Day(2, 2, 1999), true);  // the user ticks it: 1.125,00 EUR is taken
  EXPECT_EQ(result->CountLine(), "3 Kurse gefunden");
  EXPECT_TRUE(result->OnOK(*doc));
  EXPECT_EQ(doc->FindHistory("Aktie", "A1")->PriceOn(Day(2, 2, 1999)), 112500);

  // The first closing stores the list; a later one that changed nothing writes nothing.
  dlg.Close();
  EXPECT_EQ(settings.GetInt("Settings", "ImpForAnz"), 10);
  settings.SetString("Settings", "ImpFor011Tit", "unread");
  settings.SetInt("Settings", "ImpForAnz", 10);
  KurseImportierenForm again(*doc, settings);
  again.Close();
  EXPECT_EQ(settings.GetString("Settings", "ImpFor011Tit"), "unread");
  again.SaveFormat("Neu");
  again.Close();
  EXPECT_EQ(settings.GetString("Settings", "ImpFor011Tit"), "Neu");
}

TEST(KurseExportierenForm, MessagesAndFile) {
  auto doc = DmPortfolio();
  Buy(*doc, Day(2, 2, 1999), "Leer", "L", "1", "1");
  KurseExportierenForm dlg(*doc);
  ScriptedPrompter prompter;
  EXPECT_FALSE(dlg.StartExport(prompter));
  EXPECT_EQ(prompter.Last(),
            "Bitte wählen Sie ein Wertpapier aus, für das Sie die Kursdaten exportieren möchten!");
  dlg.ChooseName("Leer");
  EXPECT_EQ(dlg.Wkn(), "L");
  EXPECT_FALSE(dlg.StartExport(prompter));
  EXPECT_EQ(
      prompter.Last(),
      "Bitte geben Sie den Dateinamen einer Textdatei an, in die Sie die Kursdaten exportieren möchten!");
  dlg.fileName = "/nonexistent/folder/x.txt";
  EXPECT_FALSE(dlg.StartExport(prompter));
  EXPECT_EQ(prompter.Last(), "Datei kann nicht geöffnet werden!");
  dlg.fileName = TempFile("export.txt", "old content");
  EXPECT_TRUE(dlg.StartExport(prompter));
  EXPECT_EQ(prompter.Last(), "Kurse wurden exportiert.");
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(dlg.fileName, bytes));
  EXPECT_TRUE(bytes.empty());  // no prices, no name lines: an empty file
}
