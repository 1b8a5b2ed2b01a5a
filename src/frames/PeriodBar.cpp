#include "frames/PeriodBar.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "dialogs/DialogSupport.h"
#include "views/Charts.h"

PeriodBar::PeriodBar(platform::Prompter& prompter, const platform::Clock& clock, QWidget* parent)
    : QToolBar(QStringLiteral("Darstellungszeitraum"), parent) {
  setObjectName(QStringLiteral("period"));
  m_firstLabel = new QLabel(this);
  m_first = new dialogs::DateField(clock, CKBXDatum(), CKBXDatum(), forms::LastDay(), this);
  m_firstYear = new QSpinBox(this);
  m_secondLabel = new QLabel(this);
  m_second = new dialogs::DateField(clock, CKBXDatum(), CKBXDatum(), forms::LastDay(), this);
  m_secondYear = new QSpinBox(this);
  for (QSpinBox* field : {m_firstYear, m_secondYear}) {
    field->setKeyboardTracking(false);  // a typed year counts once it is complete
    field->setAccessibleName(QStringLiteral("Jahr"));
  }
  for (dialogs::DateField* picker : {m_first, m_second}) {
    picker->setMaximumWidth(picker->minimumWidth() + 20);
    dialogs::ReportRefusals(*picker, prompter, "Kapitalbuch");
  }
  m_firstLabel->setBuddy(m_first);
  m_secondLabel->setBuddy(m_second);
  m_portfolioSeries = new QComboBox(this);
  for (const auto& name : views::PortfolioSeriesNames())
    m_portfolioSeries->addItem(QString::fromStdString(name));
  m_securitySeries = new QComboBox(this);
  for (const auto& name : views::SecuritySeriesNames())
    m_securitySeries->addItem(QString::fromStdString(name));
  m_select = new QPushButton(QStringLiteral("Auswählen..."), this);
  for (QWidget* w :
       std::initializer_list<QWidget*>{m_firstLabel, m_first, m_firstYear, m_secondLabel, m_second,
                                       m_secondYear, m_portfolioSeries, m_securitySeries, m_select}) {
    addWidget(w);
  }
  connect(m_first, &dialogs::DateField::DayChanged, this, [this](CKBXDatum d) {
    if (!m_showing) emit FirstDateChanged(d);
  });
  connect(m_second, &dialogs::DateField::DayChanged, this, [this](CKBXDatum d) {
    if (!m_showing) emit SecondDateChanged(d);
  });
  // A year stands for its days: the view takes the years of its two days.
  connect(m_firstYear, &QSpinBox::valueChanged, this, [this](int year) {
    if (!m_showing) emit FirstDateChanged(views::FirstDayOfYear(year));
  });
  connect(m_secondYear, &QSpinBox::valueChanged, this, [this](int year) {
    if (!m_showing) emit SecondDateChanged(views::LastDayOfYear(year));
  });
  connect(m_portfolioSeries, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!m_showing && i >= 0) emit PortfolioSeriesChanged(i);
  });
  connect(m_securitySeries, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!m_showing && i >= 0) emit SecuritySeriesChanged(i);
  });
  connect(m_select, &QPushButton::clicked, this, &PeriodBar::SelectRequested);
  ShowFrame(nullptr, {});
}

void PeriodBar::ShowWidget(QWidget* widget, bool visible) {
  for (QAction* a : actions()) {
    if (widgetForAction(a) == widget) a->setVisible(visible);
  }
  widget->setEnabled(visible);
}

void PeriodBar::SetPicker(dialogs::DateField& picker, CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum) {
  picker.SetRange(minimum, maximum);
  picker.SetDay(value);
}

void PeriodBar::SetYear(QSpinBox& field, CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum) {
  field.setRange(views::YearOf(minimum), views::YearOf(maximum));
  field.setValue(views::YearOf(value));
}

void PeriodBar::ShowFrame(const views::FrameState* state, CKBXDatum accountStart) {
  m_showing = true;
  const views::ModeTraits* traits = state ? &views::Traits(state->mode) : nullptr;
  const bool two = traits && traits->period != views::PeriodKind::Day;
  const bool years = traits && traits->period == views::PeriodKind::Years;
  m_firstLabel->setText(traits ? QString::fromUtf8(traits->firstLabel) : QString());
  m_secondLabel->setText(traits ? QString::fromUtf8(traits->secondLabel) : QString());
  ShowWidget(m_firstLabel, traits != nullptr);
  ShowWidget(m_first, traits != nullptr && !years);
  ShowWidget(m_firstYear, years);
  ShowWidget(m_secondLabel, two);
  ShowWidget(m_second, two && !years);
  ShowWidget(m_secondYear, years);
  const views::SeriesChoice series = traits ? traits->series : views::SeriesChoice::None;
  ShowWidget(m_portfolioSeries, series == views::SeriesChoice::Portfolio);
  ShowWidget(m_securitySeries, series == views::SeriesChoice::Security);
  ShowWidget(m_select, series == views::SeriesChoice::Security);
  if (state) {
    const views::Period& days = state->Days();
    const views::PeriodLimits limits = views::LimitsOf(*traits, days, accountStart);
    if (years) {
      SetYear(*m_firstYear, limits.firstMinimum, days.first, limits.firstMaximum);
      SetYear(*m_secondYear, limits.secondMinimum, days.second, limits.secondMaximum);
    } else {
      SetPicker(*m_first, limits.firstMinimum, days.first, limits.firstMaximum);
      if (two) SetPicker(*m_second, limits.secondMinimum, days.second, limits.secondMaximum);
    }
    m_portfolioSeries->setCurrentIndex(state->portfolioSeries);
    m_securitySeries->setCurrentIndex(state->securitySeries);
  }
  m_showing = false;
}
