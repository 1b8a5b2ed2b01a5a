#include "frames/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "dialogs/BookingDialogs.h"
#include "dialogs/Help.h"
#include "dialogs/NewFileWizard.h"
#include "dialogs/OptionsDialog.h"
#include "forms/AktiensplitDlg.h"
#include "forms/DepotdatenDlg.h"
#include "forms/KontowaehrungDlg.h"
#include "forms/NeueDateiWizard.h"
#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/Session.h"
#include "views/Charts.h"

namespace {

constexpr const char* kCaption = "Kapitalbuch";

QDate ToQDate(CKBXDatum d) {
  int day = 0, month = 0, year = 0;
  d.Split(day, month, year);
  return QDate(year, month, day);
}

CKBXDatum FromQDate(const QDate& q) {
  CKBXDatum d;
  d.Set(q.day(), q.month(), q.year());
  return d;
}

CKBXDatum FirstDay() {
  return CKBXDatum(1u);
}
CKBXDatum LastDay() {
  CKBXDatum d;
  d.Set(18, 1, 2038);
  return d;
}

}  // namespace

MainFrame::MainFrame(platform::SettingsStore& settings, platform::Prompter& prompter,
                     const platform::Clock& clock)
    : m_settings(settings), m_prompter(prompter), m_clock(clock) {
  setWindowTitle(QString::fromUtf8(kCaption));
  setAcceptDrops(true);
  m_area = new QMdiArea(this);
  m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_area);
  connect(m_area, &QMdiArea::subWindowActivated, this, &MainFrame::OnFrameActivated);
  CreateActions();
  CreatePeriodBar();
  statusBar()->showMessage(QStringLiteral("Bereit"));
  ShowPeriodBarMode(0);
  UpdateActions();
}

MainFrame::~MainFrame() {
  // The windows go first, while this frame is still whole: no signal may reach it later.
  QObject::disconnect(m_area, nullptr, this, nullptr);
  for (QMdiSubWindow* w : m_area->subWindowList()) delete w;
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
}

void MainFrame::CreateActions() {
  const auto action = [this](QMenu* menu, const QString& text, const QKeySequence& key, const QString& tip,
                             auto slot) {
    QAction* a = menu->addAction(text);
    if (!key.isEmpty()) a->setShortcut(key);
    a->setStatusTip(tip);
    a->setToolTip(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };

  QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
  QAction* newAction = action(file, QStringLiteral("&Neu..."), QKeySequence(Qt::CTRL | Qt::Key_N),
                              QStringLiteral("Erstellt eine neue Kapitalbuch-Datei."), [this] { OnNew(); });
  newAction->setIcon(QIcon(QStringLiteral(":/icons/neu.svg")));
  QAction* openAction =
      action(file, QStringLiteral("Ö&ffnen..."), QKeySequence(Qt::CTRL | Qt::Key_O),
             QStringLiteral("Öffnet eine vorhandene Kapitalbuch-Datei."), [this] { OnOpen(); });
  openAction->setIcon(QIcon(QStringLiteral(":/icons/oeffnen.svg")));
  QAction* closeAction = action(file, QStringLiteral("&Schließen"), QKeySequence(),
                                QStringLiteral("Schließt das aktive Fenster."), [this] {
                                  if (QMdiSubWindow* w = m_area->activeSubWindow()) w->close();
                                });
  QAction* saveAction = action(file, QStringLiteral("&Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S),
                               QStringLiteral("Speichert die aktive Datei."), [this] { SaveActive(false); });
  saveAction->setIcon(QIcon(QStringLiteral(":/icons/speichern.svg")));
  QAction* saveAsAction = action(file, QStringLiteral("Speichern &unter..."), QKeySequence(),
                                 QStringLiteral("Speichert die aktive Datei unter einem neuen Namen."),
                                 [this] { SaveActive(true); });
  file->addSeparator();
  QAction* printAction =
      action(file, QStringLiteral("&Drucken..."), QKeySequence(Qt::CTRL | Qt::Key_P),
             QStringLiteral("Druckt die Ansicht des aktiven Fensters."), [this] { OnPrint(false); });
  printAction->setIcon(QIcon(QStringLiteral(":/icons/drucken.svg")));
  QAction* previewAction =
      action(file, QStringLiteral("Sei&tenansicht"), QKeySequence(),
             QStringLiteral("Zeigt die Druckseiten der Ansicht."), [this] { OnPrint(true); });
  previewAction->setIcon(QIcon(QStringLiteral(":/icons/seitenansicht.svg")));
  QAction* directAction = action(file, QStringLiteral("Direkt d&rucken"), QKeySequence(),
                                 QStringLiteral("Druckt die Ansicht ohne Rückfrage auf dem Standarddrucker."),
                                 [this] { OnPrintDirect(); });
  file->addSeparator();
  for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
    m_recentActions[i] = file->addAction(QString());
    connect(m_recentActions[i], &QAction::triggered, this, [this, i] {
      const QStringList recent = RecentFiles();
      if (static_cast<int>(i) < recent.size()) OpenFile(recent[static_cast<int>(i)]);
    });
  }
  file->addSeparator();
  action(file, QStringLiteral("&Beenden"), QKeySequence(), QStringLiteral("Beendet Kapitalbuch."),
         [this] { close(); });
  m_documentActions = {closeAction, saveAction, saveAsAction, printAction, previewAction, directAction};
  UpdateRecentMenu();

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));

  // Every booking ends with the document modified, its series dropped and all views updated.
  const auto booking = [this](auto run) {
    return [this, run] {
      ChildFrame* frame = ActiveFrame();
      if (!frame) return;
      CKapibuchDoc& doc = frame->Session().Doc();
      if (run(doc)) {
        doc.ClearSeriesCaches();
        doc.UpdateAllViews();
      }
      for (ChildFrame* f : Frames()) f->UpdateTitle();
      UpdateActions();
    };
  };
  m_bookingActions = {
      action(edit, QStringLiteral("&Kauf..."), QKeySequence(Qt::CTRL | Qt::Key_K),
             QStringLiteral("Wertpapier kaufen."),
             booking([this](CKapibuchDoc& doc) { return dialogs::RunKauf(this, doc, m_prompter); })),
      action(edit, QStringLiteral("&Verkauf..."), QKeySequence(Qt::CTRL | Qt::Key_V),
             QStringLiteral("Wertpapier verkaufen."),
             booking([this](CKapibuchDoc& doc) { return dialogs::RunVerkauf(this, doc, m_prompter); })),
      action(edit, QStringLiteral("Kurse &eingeben..."), QKeySequence(Qt::CTRL | Qt::Key_E),
             QStringLiteral("Erlaubt die manuelle Eingabe der Wertpapierkurse für einen bestimmten Tag."),
             booking([this](CKapibuchDoc& doc) { return dialogs::RunKurseEingeben(this, doc); })),
      action(edit, QStringLiteral("Kurse &importieren..."), QKeySequence(Qt::CTRL | Qt::Key_I),
             QStringLiteral("Liest die Kurse für ein Wertpapier aus einer Textdatei ein."),
             booking([this](CKapibuchDoc& doc) {
               return dialogs::RunKurseImportieren(this, doc, m_prompter, m_settings);
             })),
      action(edit, QStringLiteral("Kurse e&xportieren..."), QKeySequence(),
             QStringLiteral("Kurse eines Wertpapiers in eine Textdatei schreiben."),
             booking([this](CKapibuchDoc& doc) {
               dialogs::RunKurseExportieren(this, doc, m_prompter);
               return false;
             })),
      action(edit, QStringLiteral("Konto&bewegung..."), QKeySequence(Qt::CTRL | Qt::Key_B),
             QStringLiteral("Neue Kontobewegung hinzufügen."),
             booking([this](CKapibuchDoc& doc) { return dialogs::RunKontobewegung(this, doc, m_prompter); })),
      action(edit, QStringLiteral("&Aktiensplit..."), QKeySequence(),
             QStringLiteral("Aktiensplit durchführen."),
             booking([this](CKapibuchDoc& doc) { return dialogs::RunAktiensplit(this, doc, m_prompter); })),
  };
  m_switchAction =
      action(edit, QStringLiteral("Konto&währung umstellen..."), QKeySequence(),
             QStringLiteral("Kontowährung von DM auf Euro umstellen."), [this] { OnCurrencySwitch(); });
  m_holderAction =
      action(edit, QStringLiteral("&Depotdaten..."), QKeySequence(),
             QStringLiteral("Namen und Anschrift des Depotinhabers, Depot- und Kontonummer eingeben."),
             [this] { OnHolderData(); });
  edit->addSeparator();
  m_optionsAction = action(edit, QStringLiteral("&Optionen..."), QKeySequence(Qt::Key_F5),
                           QStringLiteral("Darstellungsoptionen einstellen."), [this] {
                             if (ChildFrame* f = ActiveFrame()) {
                               dialogs::RunOptions(this, f->Session().Doc(), f->Mode());
                               for (ChildFrame* other : Frames()) other->UpdateTitle();
                             }
                           });

  QMenu* view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  const struct {
    int mode;
    const char* text;
    int key;
  } modes[] = {{1, "Depot&bestand", Qt::Key_1},       {3, "Realisierte &G+V", Qt::Key_2},
               {2, "&Depotentwicklung", Qt::Key_3},   {7, "D&epotanalyse", Qt::Key_4},
               {4, "&Kontobewegungen", Qt::Key_5},    {5, "G&rafik - Depotentwicklung", Qt::Key_6},
               {6, "Grafik - &Wertpapier", Qt::Key_7}};
  for (const auto& m : modes) {
    QAction* a = view->addAction(QString::fromUtf8(m.text));
    a->setShortcut(QKeySequence(Qt::CTRL | m.key));
    a->setCheckable(true);
    a->setStatusTip(QStringLiteral("Zeigt ") + QString::fromUtf8(ChildFrame::kModeNames[m.mode]) +
                    QStringLiteral("."));
    const int mode = m.mode;
    connect(a, &QAction::triggered, this, [this, mode] {
      if (ChildFrame* f = ActiveFrame()) f->SetMode(mode);
    });
    m_modeActions[static_cast<std::size_t>(m.mode)] = a;
  }
  view->addSeparator();

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Fenster"));
  QAction* newWindow =
      action(window, QStringLiteral("&Neues Fenster"), QKeySequence(),
             QStringLiteral("Öffnet ein weiteres Fenster für die aktive Datei."), [this] { NewWindow(); });
  action(window, QStringLiteral("Ü&berlappend"), QKeySequence(),
         QStringLiteral("Ordnet die Fenster überlappend an."), [this] { m_area->cascadeSubWindows(); });
  action(window, QStringLiteral("Neben&einander"), QKeySequence(),
         QStringLiteral("Ordnet die Fenster nebeneinander an."), [this] { m_area->tileSubWindows(); });
  QAction* split =
      action(window, QStringLiteral("&Teilen"), QKeySequence(),
             QStringLiteral("Teilt das aktive Fenster in vier Bereiche oder hebt die Teilung auf."), [this] {
               if (ChildFrame* f = ActiveFrame()) f->SetSplit(!f->IsSplit());
             });
  m_documentActions.push_back(split);
  m_documentActions.push_back(newWindow);
  m_documentActions.push_back(m_holderAction);
  for (QAction* a : m_bookingActions) m_documentActions.push_back(a);
  m_documentActions.push_back(m_optionsAction);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
  m_helpAction = action(help, QStringLiteral("&Inhalt"), QKeySequence(Qt::Key_F1),
                        QStringLiteral("Zeigt die Hilfe an."), [this] { OnHelp(); });
  m_helpAction->setIcon(QIcon(QStringLiteral(":/icons/hilfe.svg")));
  m_aboutAction = action(help, QStringLiteral("Inf&o über Kapitalbuch..."), QKeySequence(),
                         QStringLiteral("Zeigt Programmname und Version an."), [this] { OnAbout(); });

  m_tools = addToolBar(QStringLiteral("Symbolleiste"));
  m_tools->setObjectName(QStringLiteral("tools"));
  m_tools->addAction(newAction);
  m_tools->addAction(openAction);
  m_tools->addAction(saveAction);
  m_tools->addSeparator();
  m_tools->addAction(printAction);
  m_tools->addAction(previewAction);
  m_tools->addSeparator();
  const char* const bookingIcons[] = {"kauf", "verkauf", "kurse", "import", "import", "konto", "kurse"};
  for (std::size_t i = 0; i < m_bookingActions.size(); ++i) {
    m_bookingActions[i]->setIcon(
        QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(bookingIcons[i]))));
  }
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u}) m_tools->addAction(m_bookingActions[i]);
  m_tools->addSeparator();
  m_tools->addAction(m_optionsAction);
  m_tools->addSeparator();
  static const char* const shortNames[] = {"",      "Bestand", "Entwicklung", "G+V",
                                           "Konto", "Grafik",  "Wertpapier",  "Analyse"};
  static const char* const modeIcons[] = {"",       "bestand",    "entwicklung", "guv", "kontobewegungen",
                                          "grafik", "wertpapier", "analyse"};
  for (const int mode : {1, 3, 2, 7, 4, 5, 6}) {
    QAction* a = m_modeActions[static_cast<std::size_t>(mode)];
    a->setIconText(QString::fromUtf8(shortNames[mode]));
    a->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(modeIcons[mode]))));
    m_tools->addAction(a);
  }
  m_tools->addSeparator();
  m_tools->addAction(m_helpAction);
  m_tools->addAction(m_aboutAction);
  m_tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  view->addAction(m_tools->toggleViewAction());
}

void MainFrame::CreatePeriodBar() {
  addToolBarBreak();
  m_periodBar = addToolBar(QStringLiteral("Darstellungszeitraum"));
  m_periodBar->setObjectName(QStringLiteral("period"));
  m_firstLabel = new QLabel(m_periodBar);
  m_first = new QDateEdit(m_periodBar);
  m_secondLabel = new QLabel(m_periodBar);
  m_second = new QDateEdit(m_periodBar);
  for (QDateEdit* picker : {m_first, m_second}) {
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setCalendarPopup(true);
  }
  m_portfolioSeries = new QComboBox(m_periodBar);
  for (const auto& name : views::PortfolioSeriesNames())
    m_portfolioSeries->addItem(QString::fromStdString(name));
  m_securitySeries = new QComboBox(m_periodBar);
  for (const auto& name : views::SecuritySeriesNames())
    m_securitySeries->addItem(QString::fromStdString(name));
  m_select = new QPushButton(QStringLiteral("Auswählen..."), m_periodBar);
  connect(m_select, &QPushButton::clicked, this, [this] {
    ChildFrame* frame = ActiveFrame();
    if (!frame) return;
    std::vector<int> selection = frame->State().selection;
    bool timeInPortfolio = true;
    if (dialogs::RunPositionAuswahl(this, frame->Session().Doc(), selection, timeInPortfolio)) {
      frame->OnSelectPositions(std::move(selection), timeInPortfolio);
    }
  });
  m_periodBar->addWidget(m_firstLabel);
  m_periodBar->addWidget(m_first);
  m_periodBar->addWidget(m_secondLabel);
  m_periodBar->addWidget(m_second);
  m_periodBar->addWidget(m_portfolioSeries);
  m_periodBar->addWidget(m_securitySeries);
  m_periodBar->addWidget(m_select);
  connect(m_first, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    if (!m_syncingBar && ActiveFrame()) ActiveFrame()->OnFirstDateChanged(FromQDate(d));
  });
  connect(m_second, &QDateEdit::dateChanged, this, [this](const QDate& d) {
    if (!m_syncingBar && ActiveFrame()) ActiveFrame()->OnSecondDateChanged(FromQDate(d));
  });
  connect(m_portfolioSeries, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!m_syncingBar && ActiveFrame()) ActiveFrame()->OnPortfolioSeriesChanged(i);
  });
  connect(m_securitySeries, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (!m_syncingBar && ActiveFrame()) ActiveFrame()->OnSecuritySeriesChanged(i);
  });
}

void MainFrame::ShowPeriodBarMode(int mode) {
  static const char* const first[] = {"",
                                      "Depotbestand am",
                                      "Depotentwicklung von",
                                      "Realisierte G+V von",
                                      "Kontobewegungen von",
                                      "Depotgrafik von",
                                      "Wertpapiergrafik von",
                                      "Depotanalyse am"};
  static const char* const second[] = {"", "", "bis", "bis", "bis", "bis", "bis", "ab"};
  const int m = std::clamp(mode, 0, 7);
  m_firstLabel->setText(QString::fromUtf8(first[m]));
  m_secondLabel->setText(QString::fromUtf8(second[m]));
  const auto show = [this](QWidget* w, bool visible) {
    for (QAction* a : m_periodBar->actions()) {
      if (m_periodBar->widgetForAction(a) == w) a->setVisible(visible);
    }
    w->setEnabled(visible);
  };
  show(m_firstLabel, m != 0);
  show(m_secondLabel, m >= 2);
  show(m_first, m != 0);
  show(m_second, m >= 2);
  show(m_portfolioSeries, m == 5);
  show(m_securitySeries, m == 6);
  show(m_select, m == 6);
}

void MainFrame::SetFirstPicker(CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum) {
  m_syncingBar = true;
  m_first->setDateRange(ToQDate(minimum), ToQDate(std::max(minimum, maximum)));
  m_first->setDate(ToQDate(value));
  m_syncingBar = false;
}

void MainFrame::SetSecondPicker(CKBXDatum minimum, CKBXDatum value, CKBXDatum maximum) {
  m_syncingBar = true;
  m_second->setDateRange(ToQDate(minimum), ToQDate(std::max(minimum, maximum)));
  m_second->setDate(ToQDate(value));
  m_syncingBar = false;
}

void MainFrame::ShowFrameOnPeriodBar(ChildFrame& frame) {
  const views::FrameState& s = frame.State();
  const CKBXDatum start = frame.Session().Doc().Account().StartDay();
  const CKBXDatum min = FirstDay(), max = LastDay();
  ShowPeriodBarMode(s.mode);
  const auto before = [](CKBXDatum d) { return CKBXDatum(d.Day() > 1 ? d.Day() - 1 : d.Day()); };
  const auto after = [](CKBXDatum d) { return CKBXDatum(d.Day() + 1); };
  switch (s.mode) {
    case 1:
      SetFirstPicker(min, s.holdingsDay, max);
      break;
    case 2:
      SetFirstPicker(start, s.developmentStart, s.developmentEnd);
      SetSecondPicker(s.developmentStart, s.developmentEnd, max);
      break;
    case 3:
      SetFirstPicker(min, s.realisedStart, s.realisedEnd);
      SetSecondPicker(s.realisedStart, s.realisedEnd, max);
      break;
    case 4:
      SetFirstPicker(start, s.accountStart, s.accountEnd);
      SetSecondPicker(s.accountStart, s.accountEnd, max);
      break;
    case 5:
      SetFirstPicker(start, s.portfolioChartStart, before(s.portfolioChartEnd));
      SetSecondPicker(after(s.portfolioChartStart), s.portfolioChartEnd, max);
      m_syncingBar = true;
      m_portfolioSeries->setCurrentIndex(s.portfolioSeries);
      m_syncingBar = false;
      break;
    case 6:
      SetFirstPicker(min, s.securityChartStart, before(s.securityChartEnd));
      SetSecondPicker(after(s.securityChartStart), s.securityChartEnd, max);
      m_syncingBar = true;
      m_securitySeries->setCurrentIndex(s.securitySeries);
      m_syncingBar = false;
      break;
    case 7:
      SetFirstPicker(s.analysisStart, s.analysisDay, max);
      SetSecondPicker(start, s.analysisStart, s.analysisDay);
      break;
    default:
      break;
  }
}

ChildFrame* MainFrame::ActiveFrame() const {
  return qobject_cast<ChildFrame*>(m_area->activeSubWindow());
}

std::vector<ChildFrame*> MainFrame::Frames() const {
  std::vector<ChildFrame*> frames;
  for (QMdiSubWindow* w : m_area->subWindowList()) {
    if (auto* f = qobject_cast<ChildFrame*>(w)) frames.push_back(f);
  }
  return frames;
}

void MainFrame::OnFrameActivated(QMdiSubWindow* window) {
  if (auto* frame = qobject_cast<ChildFrame*>(window)) {
    frame->SyncPeriodBar();
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" - ") + frame->Session().Title());
  } else if (!window) {
    ShowPeriodBarMode(0);
    setWindowTitle(QString::fromUtf8(kCaption));
  }
  UpdateActions();
}

void MainFrame::UpdateActions() {
  ChildFrame* frame = ActiveFrame();
  for (QAction* a : m_documentActions) a->setEnabled(frame != nullptr);
  for (int mode = 1; mode <= 7; ++mode) {
    QAction* a = m_modeActions[static_cast<std::size_t>(mode)];
    a->setEnabled(frame != nullptr);
    a->setChecked(frame && frame->Mode() == mode);
  }
  m_switchAction->setEnabled(frame && !frame->Session().Doc().Account().IsSwitched());
}

ChildFrame* MainFrame::AddFrame(std::shared_ptr<DocumentSession> session) {
  auto* frame = new ChildFrame(*this, std::move(session));
  m_area->addSubWindow(frame);
  frame->resize(900, 560);
  frame->show();
  m_area->setActiveSubWindow(frame);
  for (KapibuchView* view : frame->Views()) view->OnDocumentUpdate(0, nullptr);
  UpdateActions();
  return frame;
}

void MainFrame::Tell(const QString& text, platform::Icon icon) {
  m_prompter.Tell(kCaption, text.toStdString(), icon);
}

ChildFrame* MainFrame::OpenFile(const QString& path) {
  const QString canonical = QFileInfo(path).absoluteFilePath();
  for (ChildFrame* f : Frames()) {
    if (f->Session().Path() == canonical) {
      m_area->setActiveSubWindow(f);
      return f;
    }
  }
  DocumentError error = DocumentError::None;
  auto doc = CKapibuchDoc::Open(canonical.toStdString(), m_clock, error);
  if (!doc) {
    Tell(QString::fromStdString(DocumentErrorMessage(error)));
    return nullptr;
  }
  auto session =
      std::make_shared<DocumentSession>(std::move(doc), canonical, QFileInfo(canonical).fileName());
  if (!session->Lock(canonical)) {
    Tell(QStringLiteral("Die Datei %1 wird bereits in einem anderen Kapitalbuch-Fenster bearbeitet und kann "
                        "deshalb nicht geöffnet werden.")
             .arg(canonical));
    return nullptr;
  }
  AddRecentFile(canonical);
  return AddFrame(std::move(session));
}

ChildFrame* MainFrame::NewDocument(const NewFileData& answers) {
  auto doc = std::make_unique<CKapibuchDoc>(m_clock);
  doc->SetupNew(answers);
  auto session = std::make_shared<DocumentSession>(std::move(doc), QString(),
                                                   QStringLiteral("Depot%1").arg(++m_newCount));
  return AddFrame(std::move(session));
}

ChildFrame* MainFrame::NewWindow() {
  ChildFrame* active = ActiveFrame();
  if (!active) return nullptr;
  ChildFrame* frame = AddFrame(active->SharedSession());
  return frame;
}

bool MainFrame::SaveActive(bool askName) {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return false;
  DocumentSession& session = frame->Session();
  QString path = session.Path();
  if (askName || path.isEmpty()) {
    path = QFileDialog::getSaveFileName(this, QStringLiteral("Speichern unter"),
                                        path.isEmpty() ? session.Title() + QStringLiteral(".kpz") : path,
                                        QStringLiteral("Kapitalbuch-Datei (*.kpz)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QStringLiteral(".kpz"), Qt::CaseInsensitive)) path += QStringLiteral(".kpz");
  }
  const DocumentError error = session.SaveAs(path);
  if (error != DocumentError::None) {
    Tell(QString::fromStdString(DocumentErrorMessage(error)));
    return false;
  }
  AddRecentFile(session.Path());
  for (ChildFrame* f : Frames()) f->UpdateTitle();
  return true;
}

bool MainFrame::MayCloseFrame(ChildFrame& frame) {
  int windows = 0;
  for (ChildFrame* f : Frames()) windows += &f->Session() == &frame.Session();
  if (windows > 1 || !frame.Session().Doc().IsModified()) return true;
  const platform::Answer answer = m_prompter.Ask(
      kCaption, QStringLiteral("Änderungen in %1 speichern?").arg(frame.Session().Title()).toStdString(),
      platform::Icon::Exclamation, platform::Buttons::YesNoCancel);
  if (answer == platform::Answer::Cancel) return false;
  if (answer == platform::Answer::No) return true;
  m_area->setActiveSubWindow(&frame);
  return SaveActive(false);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  for (ChildFrame* f : Frames()) {
    if (!f->close()) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenFile(url.toLocalFile());
  }
}

QStringList MainFrame::RecentFiles() const {
  QStringList files;
  for (int i = 1; i <= 4; ++i) {
    const auto value = m_settings.GetString("Recent File List", "File" + std::to_string(i));
    if (value && !value->empty()) files << QString::fromStdString(*value);
  }
  return files;
}

void MainFrame::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > 4) files.removeLast();
  for (int i = 0; i < 4; ++i) {
    m_settings.SetString("Recent File List", "File" + std::to_string(i + 1),
                         i < files.size() ? files[i].toStdString() : std::string());
  }
  UpdateRecentMenu();
}

void MainFrame::UpdateRecentMenu() {
  const QStringList files = RecentFiles();
  for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
    const bool present = static_cast<int>(i) < files.size();
    m_recentActions[i]->setVisible(present);
    if (present) {
      m_recentActions[i]->setText(
          QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[static_cast<int>(i)]).fileName()));
    }
  }
}

void MainFrame::OnNew() {
  NewFileWizard wizard(CKBXDatum::Today(m_clock), m_prompter, this);
  if (wizard.exec() == QDialog::Accepted) NewDocument(wizard.Result());
}

void MainFrame::OnOpen() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Öffnen"), QString(),
                                                    QStringLiteral("Kapitalbuch-Datei (*.kpz)"));
  if (!path.isEmpty()) OpenFile(path);
}

void MainFrame::OnPrint(bool preview) {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  if (preview) {
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Seitenansicht"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [frame](QPrinter* p) { frame->View().Print(*p); });
    dialog.resize(1000, 800);
    dialog.exec();
    return;
  }
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) frame->View().Print(printer);
}

void MainFrame::OnPrintDirect() {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  frame->View().Print(printer);
}

void MainFrame::OnHelp() {
  dialogs::ShowHelp();
}

void MainFrame::OnAbout() {
  Tell(QStringLiteral("Kapitalbuch %1\n\nWertpapierdepot und Konto eines Privatanlegers, auf den Cent genau.")
           .arg(QStringLiteral(KAPIBUCH_VERSION)),
       platform::Icon::Information);
}

void MainFrame::OnHolderData() {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return;
  CKapibuchDoc& doc = frame->Session().Doc();
  CDepotdatenDlg form(doc);
  QDialog dialog(this);
  dialog.setWindowTitle(QString::fromUtf8(CDepotdatenDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* holder = new QLineEdit(QString::fromStdString(form.holder));
  auto* address = new QPlainTextEdit(QString::fromStdString(form.address));
  auto* depot = new QLineEdit(QString::fromStdString(form.depotNumber));
  auto* account = new QLineEdit(QString::fromStdString(form.accountNumber));
  auto* bank = new QLineEdit(QString::fromStdString(form.bankCode));
  layout->addRow(QStringLiteral("&Name des Depotinhabers"), holder);
  layout->addRow(QStringLiteral("&Adresse des Depotinhabers"), address);
  layout->addRow(QStringLiteral("&Depotnummer"), depot);
  layout->addRow(QStringLiteral("&Kontonummer"), account);
  layout->addRow(QStringLiteral("&Bankleitzahl"), bank);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole), &QPushButton::clicked,
          this, [] { dialogs::ShowHelp(2031); });
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    form.holder = holder->text().toStdString();
    form.address = address->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
    form.depotNumber = depot->text().toStdString();
    form.accountNumber = account->text().toStdString();
    form.bankCode = bank->text().toStdString();
    if (form.OnOK(m_prompter)) dialog.accept();
  });
  if (dialog.exec() == QDialog::Accepted) {
    form.Book(doc);
    for (ChildFrame* f : Frames()) f->UpdateTitle();
  }
}

void MainFrame::OnCurrencySwitch() {
  ChildFrame* frame = ActiveFrame();
  if (!frame || !CKontowaehrungDlg::Enabled(frame->Session().Doc())) return;
  CKapibuchDoc& doc = frame->Session().Doc();
  CKontowaehrungDlg form(doc);
  QDialog dialog(this);
  dialog.setWindowTitle(QString::fromUtf8(CKontowaehrungDlg::kCaption));
  auto* layout = new QFormLayout(&dialog);
  auto* picker = new QDateEdit(ToQDate(form.Date()));
  picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  picker->setCalendarPopup(true);
  picker->setDateRange(ToQDate(form.EarliestDate()), ToQDate(LastDay()));
  layout->addRow(QStringLiteral("Konto von DM auf Euro umstellen &am:"), picker);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  connect(buttons->addButton(QStringLiteral("Hilfe"), QDialogButtonBox::HelpRole), &QPushButton::clicked,
          this, [] { dialogs::ShowHelp(2022); });
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    form.SetDate(FromQDate(picker->date()));
    if (form.OnOK(m_prompter)) dialog.accept();
  });
  if (dialog.exec() == QDialog::Accepted) {
    form.Book(doc);
    UpdateActions();
    for (ChildFrame* f : Frames()) f->UpdateTitle();
  }
}
