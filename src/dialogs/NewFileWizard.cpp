#include "dialogs/NewFileWizard.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/Help.h"
#include "forms/NeueDatei1PropPage.h"
#include "forms/NeueDatei2PropPage.h"
#include "forms/NeueDatei3PropPage.h"

namespace {

QDate ToQDate(CKBXDatum d) {
  int day = 0, month = 0, year = 0;
  d.Split(day, month, year);
  return QDate(year, month, day);
}

}  // namespace

NewFileWizard::NewFileWizard(CKBXDatum today, platform::Prompter& prompter, QWidget* parent)
    : QWizard(parent), m_form(today), m_prompter(prompter) {
  setWindowTitle(QStringLiteral("Neue Datei"));
  setButtonText(QWizard::FinishButton, QStringLiteral("Fertig stellen"));
  setButtonText(QWizard::NextButton, QStringLiteral("&Weiter >"));
  setButtonText(QWizard::BackButton, QStringLiteral("< &Zurück"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Abbrechen"));
  setOption(QWizard::HaveHelpButton, true);
  setButtonText(QWizard::HelpButton, QStringLiteral("Hilfe"));
  connect(this, &QWizard::helpRequested, this, [this] { dialogs::ShowHelp(1501 + currentId()); });

  auto* page1 = new QWizardPage;
  page1->setTitle(QString::fromUtf8(CNeueDatei1PropPage::kCaption));
  auto* form1 = new QFormLayout(page1);
  m_holder = new QLineEdit;
  m_address = new QPlainTextEdit;
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
  m_start = new QDateEdit(ToQDate(m_form.page2.startDay));
  m_start->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  m_start->setCalendarPopup(true);
  m_start->setDateRange(QDate(1970, 1, 2), QDate(2038, 1, 18));
  dayLabel->setBuddy(m_start);
  auto* balanceLabel =
      new QLabel(QStringLiteral("Geben Sie den Stand Ihres &Kontos zu Beginn dieses Tages an:"));
  m_balance = new QLineEdit(QString::fromStdString(m_form.page2.balanceText));
  balanceLabel->setBuddy(m_balance);
  auto* currencyLabel =
      new QLabel(QStringLiteral("Wählen Sie die &Währung aus, in der Ihr Konto an diesem Tag geführt "
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
    m_balance->setText(QString::fromStdString(m_form.page2.balanceText));
  });
  connect(m_dm, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    m_form.page2.ChooseCurrency(kDm);
    m_balance->setText(QString::fromStdString(m_form.page2.balanceText));
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
  m_form.page1.holder = m_holder->text().toStdString();
  m_form.page1.address =
      m_address->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
  m_form.page1.depotNumber = m_depot->text().toStdString();
  m_form.page1.accountNumber = m_account->text().toStdString();
  m_form.page1.bankCode = m_bank->text().toStdString();
}

void NewFileWizard::LeaveBalance() {
  m_form.page2.balanceText = m_balance->text().toStdString();
  m_form.page2.LeaveBalance();
  m_balance->setText(QString::fromStdString(m_form.page2.balanceText));
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
    LeaveBalance();
    const QDate d = m_start->date();
    m_form.page2.startDay.Set(d.day(), d.month(), d.year());
  }
  return true;
}

void NewFileWizard::initializePage(int id) {
  QWizard::initializePage(id);
  if (id != 2) return;
  const auto texts = CNeueDatei3PropPage::Texts(m_form.page2.startDay);
  for (int i = 0; i < 6; ++i) m_texts[i]->setText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
}
