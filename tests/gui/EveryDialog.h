#pragma once
// Every dialog of the desktop program, built as the program builds it on a portfolio and
// shown one after the other, for tests that hold all of them to the same rules.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialog>
#include <QPrinter>
#include <QtTest/QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/AktiensplitDialog.h"
#include "dialogs/AufteilenDialog.h"
#include "dialogs/BackupsDialog.h"
#include "dialogs/DateiformatErkennenDialog.h"
#include "dialogs/DepotdatenDialog.h"
#include "dialogs/FormatSpeichernDialog.h"
#include "dialogs/ImportergebnisDialog.h"
#include "dialogs/KaufDialog.h"
#include "dialogs/KontobewegungDialog.h"
#include "dialogs/KontowaehrungDialog.h"
#include "dialogs/KurseAktualisierenDialog.h"
#include "dialogs/KurseEingebenDialog.h"
#include "dialogs/KurseExportierenDialog.h"
#include "dialogs/KurseImportierenDialog.h"
#include "dialogs/KursquellenDialog.h"
#include "dialogs/NewFileWizard.h"
#include "dialogs/OptionenDialog.h"
#include "dialogs/PositionAuswahlDialog.h"
#include "dialogs/VerkaufDialog.h"
#include "dialogs/ZuordnenDialog.h"
#include "document/BackupStore.h"
#include "frames/KapibuchView.h"
#include "frames/PreviewWindow.h"
#include "platform/SettingsStore.h"
#include "qt/Rendering.h"
#include "tests/forms/FormsTestUtil.h"

namespace guitest {

class EveryDialog {
 public:
  // The dialogs on this portfolio; the print preview shows the pages of this view.
  EveryDialog(CKapibuchDoc& doc, const KapibuchView& view) : m_doc(doc), m_view(view) {
    m_split.runningNumber = 2;
    m_split.purchaseDateText = "05.03.1999";
    m_split.purchasePriceText = "76,69 EUR";
    m_split.held = 20'000'000;
    m_split.highest = 20'000'000;
    m_split.quantityText = "20";
    m_assign.runningNumber = 2;
    m_assign.purchaseDateText = "05.03.1999";
    m_assign.saleDateText = "-";
    m_assign.held = 20'000'000;
    m_assign.quantityText = "20";
  }

  using Visit = std::function<void(QDialog&)>;

  // Shows each dialog in turn (it has the keyboard), hands it over, and closes it again.
  void ForEach(const Visit& visit) {
    testutil::ScriptedPrompter prompter;
    platform::MemorySettingsStore settings;
    Run<dialogs::KaufDialog>(visit, m_doc, prompter);
    Run<dialogs::VerkaufDialog>(visit, m_doc, prompter);
    Run<dialogs::AufteilenDialog>(visit, m_split, prompter);
    Run<dialogs::KontobewegungDialog>(visit, m_doc, prompter);
    Run<dialogs::ZuordnenDialog>(visit, m_assign, prompter);
    Run<dialogs::AktiensplitDialog>(visit, m_doc, prompter);
    Run<dialogs::DepotdatenDialog>(visit, m_doc, prompter);
    Run<dialogs::KontowaehrungDialog>(visit, *testutil::DmPortfolio(), prompter);  // offered while in DM
    Run<dialogs::KurseEingebenDialog>(visit, m_doc, prompter);
    Run<dialogs::KurseImportierenDialog>(visit, m_doc, prompter, settings);
    Run<dialogs::DateiformatErkennenDialog>(
        visit, DateiformatErkennenForm("Datum;Kurs\n02.01.1998;46,65\n05.01.1998;47,39\n", {}));
    Run<dialogs::FormatSpeichernDialog>(visit);
    CKBXKursverlauf found("Siemens AG", "723610");
    found.SetPrice(testutil::Day(2, 1, 2001), 9100);
    found.SetPrice(testutil::Day(3, 1, 2001), 9200);
    Run<dialogs::ImportergebnisDialog>(visit,
                                       ImportergebnisForm(m_doc, found, {}, {{3, "03.01.2001;x", false}}));
    Run<dialogs::KurseExportierenDialog>(visit, m_doc, prompter, settings);
    // With a source, so that the list of securities shows.
    forms::PriceSources::Store(settings, {"723610", "https://kurse.invalid/{WKN}.csv", "", "", ""});
    Run<dialogs::KurseAktualisierenDialog>(visit, m_doc, prompter, settings, platform::Downloader());
    Run<dialogs::KursquellenDialog>(visit, m_doc, prompter, settings, platform::Downloader());
    Run<dialogs::OptionenDialog>(visit, m_doc, prompter, 0);
    Run<dialogs::PositionAuswahlDialog>(visit, m_doc, std::vector<int>{0});
    const auto folder =
        std::filesystem::temp_directory_path() / ("kapibuch-every-dialog-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    Run<dialogs::BackupsDialog>(visit, nullptr, BackupStore(folder.string()));
    std::filesystem::remove_all(folder);
    Run<NewFileWizard>(visit, testutil::Day(8, 12, 2026), prompter);
    auto job = m_view.MakePrintJob();
    ASSERT_NE(job, nullptr);
    QPrinter printer(QPrinter::HighResolution);
    const int pages = qt::LayOut(*job, printer);
    Run<PreviewWindow>(visit, std::move(job), pages, printer, prompter);
  }

 private:
  template <typename Dialog, typename... Args>
  static void Run(const Visit& visit, Args&&... args) {
    Dialog dialog(std::forward<Args>(args)...);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog)) << dialog.windowTitle().toStdString();
    visit(dialog);
    dialog.hide();
  }

  CKapibuchDoc& m_doc;
  const KapibuchView& m_view;
  AufteilenForm m_split;
  ZuordnenForm m_assign;
};

}  // namespace guitest
