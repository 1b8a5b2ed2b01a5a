#include "dialogs/NewFileWizard.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/DialogSupport.h"
#include "dialogs/Help.h"
#include "forms/NeueDatei1PropPage.h"
#include "forms/NeueDatei2PropPage.h"
#include "forms/NeueDatei3PropPage.h"

namespace {

// The help topics of the three pages.
constexpr int kHelpTopics[] = {CNeueDatei1PropPage::kHelpTopic, CNeueDatei2PropPage::kHelpTopic,
                               CNeueDatei3PropPage::kHelpTopic};

}  // namespace

NewFileWizard::NewFileWizard(CKBXDatum today, platform::Prompter& prompter, QWidget* parent)
    : QWizard(parent), m_today(today.ToTime()), m_form(today), m_prompter(prompter) {
  setWindowTitle(QStringLiteral("Neue Datei"));
  setButtonText(QWizard::FinishButton, QStringLiteral("Fertig stellen"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Weiter >"));
  setButtonText(QWizard::BackButton, QStringLiteral("< &Zurück"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Abbrechen"));
  setOption(QWizard::HaveHelpButton, true);
  // "Fertig stellen" is shown on every page, usable on the last one only.
  setOption(QWizard::HaveFinishButtonOnEarlyPages, true);
  setButtonText(QWizard::HelpButton, QStringLiteral("Hilfe"));
  connect(this, &QWizard::helpRequested, this,
          [this] { dialogs::ShowHelp(kHelpTopics[std::clamp(currentId(), 0, 2)]); });

  auto* page1 = new QWizardPage;
  page1->setTitle(QString::fromUtf8(CNeueDatei1PropPage::kCaption));
  auto* form1 = new QFormLayout(page1);
  m_holder = new QLineEdit;
  m_address = new QPlainTextEdit;
  m_address->setTabChangesFocus(true);
  m_depot = new QLineEdit;
  m_account = new QLineEdit;
  m_bank = new QLineEdit;
  form1->addRow(QStringLiteral("&Name des Depotinhabers"), m_holder);
  form1->addRow(QStringLiteral("&Adresse des Depotinhabers"), m_address);
  form1->addRow(QStringLiteral("&Depotnummer"), m_depot);
  form1->addRow(QStringLiteral("&Kontonummer"), m_account);
  form1->addRow(QStringLiteral("&Bankleitzahl"), m_bank);
  addPage(page1);

  auto* page2 = new QWizardPage;
  page2->setTitle(QString::fromUtf8(CNeueDatei2PropPage::kCaption));
  auto* form2 = new QVBoxLayout(page2);
  auto* dayLabel =
      new QLabel(QStringLiteral("Bitte wählen Sie den &Tag aus, ab dem Sie die Wertentwicklung Ihres "
                                "Wertpapierdepots verfolgen möchten:"));
  dayLabel->setWordWrap(true);
  m_start = dialogs::DatePicker(m_today, m_form.page2.startDay);
  dayLabel->setBuddy(m_start);
  auto* balanceLabel =
      new QLabel(QStringLiteral("Geben Sie den Stand Ihres &Kontos zu Beginn dieses Tages an:"));
  m_balance = new QLineEdit(dialogs::ToQ(m_form.page2.balanceText));
  balanceLabel->setBuddy(m_balance);
  auto* currencyLabel =
      new QLabel(QStringLiteral("Wählen Sie die Wä&hrung aus, in der Ihr Konto an diesem Tag geführt "
                                "wurde\n(eine Umstellung von DM auf Euro ist "
                                "später möglich):"));
  m_euro = new QRadioButton(QStringLiteral("&Euro"));
  m_dm = new QRadioButton(QStringLiteral("&DM"));
  m_euro->setChecked(true);
  currencyLabel->setBuddy(m_euro);
  for (QWidget* w : std::initializer_list<QWidget*>{dayLabel, m_start, balanceLabel, m_balance, currencyLabel,
                                                    m_euro, m_dm}) {
    form2->addWidget(w);
  }
  connect(m_balance, &QLineEdit::editingFinished, this, [this] { LeaveBalance(); });
  connect(m_euro, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    m_form.page2.ChooseCurrency(kEur);
    m_balance->setText(dialogs::ToQ(m_form.page2.balanceText));
  });
  connect(m_dm, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    m_form.page2.ChooseCurrency(kDm);
    m_balance->setText(dialogs::ToQ(m_form.page2.balanceText));
  });
  addPage(page2);

  auto* page3 = new QWizardPage;
  page3->setTitle(QString::fromUtf8(CNeueDatei3PropPage::kCaption));
  auto* form3 = new QVBoxLayout(page3);
  for (int i = 0; i < 6; ++i) {
    auto* label = new QLabel;
    label->setWordWrap(true);
    form3->addWidget(label);
    m_texts << label;
  }
  addPage(page3);
}

void NewFileWizard::ReadPage1() {
  m_form.page1.holder = dialogs::FromQ(m_holder->text());
  m_form.page1.address = dialogs::FromQLines(m_address->toPlainText());
  m_form.page1.depotNumber = dialogs::FromQ(m_depot->text());
  m_form.page1.accountNumber = dialogs::FromQ(m_account->text());
  m_form.page1.bankCode = dialogs::FromQ(m_bank->text());
}

void NewFileWizard::LeaveBalance() {
  m_form.page2.balanceText = dialogs::FromQ(m_balance->text());
  m_form.page2.LeaveBalance();
  m_balance->setText(dialogs::ToQ(m_form.page2.balanceText));
  const bool dm = m_form.page2.SelectedCurrency() == kDm;
  const QSignalBlocker blockEuro(m_euro), blockDm(m_dm);
  m_dm->setChecked(dm);
  m_euro->setChecked(!dm);
}

bool NewFileWizard::validateCurrentPage() {
  if (currentId() == 0) {
    ReadPage1();
    return m_form.page1.OnNext(m_prompter);
  }
  if (currentId() == 1) {
    if (!dialogs::DateAccepted(*m_start, m_prompter, CNeueDatei2PropPage::kCaption)) return false;
    LeaveBalance();
    m_form.page2.startDay = m_start->Day();
  }
  return true;
}

void NewFileWizard::initializePage(int id) {
  QWizard::initializePage(id);
  if (id != 2) return;
  const auto texts = CNeueDatei3PropPage::Texts(m_form.page2.startDay);
  for (int i = 0; i < 6; ++i) m_texts[i]->setText(dialogs::ToQ(texts[static_cast<std::size_t>(i)]));
}
