#pragma once
// The dialogs of the "Bearbeiten" menu: widgets over the forms, which hold the logic.
// Each returns true when something was booked.

#include <QWidget>
#include <vector>

#include "document/KapibuchDoc.h"
#include "platform/Prompter.h"
#include "platform/SettingsStore.h"

namespace dialogs {

bool RunKauf(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter);
bool RunVerkauf(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter);
bool RunKontobewegung(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter);
bool RunAktiensplit(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter);
bool RunKurseEingeben(QWidget* parent, CKapibuchDoc& doc);
bool RunKurseImportieren(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter,
                         platform::SettingsStore& settings);
void RunKurseExportieren(QWidget* parent, CKapibuchDoc& doc, platform::Prompter& prompter);
// "Auswählen...": the security chart's positions; true on OK with the new selection and
// whether the period follows the positions' time in the portfolio.
bool RunPositionAuswahl(QWidget* parent, const CKapibuchDoc& doc, std::vector<int>& selection,
                        bool& timeInPortfolio);

}  // namespace dialogs
