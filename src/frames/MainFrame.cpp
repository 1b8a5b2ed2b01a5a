#include "frames/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "dialogs/AktiensplitDialog.h"
#include "dialogs/BackupsDialog.h"
#include "dialogs/DepotdatenDialog.h"
#include "dialogs/FileFolder.h"
#include "dialogs/Help.h"
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
#include "document/UndoHistory.h"
#include "frames/ChildFrame.h"
#include "frames/KapibuchView.h"
#include "frames/MenuCommand.h"
#include "frames/PeriodBar.h"
#include "frames/PrinterSetup.h"
#include "frames/Printing.h"
#include "frames/RecentFiles.h"
#include "frames/WindowList.h"
#include "qt/DocumentSession.h"

namespace {

constexpr const char* kCaption = "Kapitalbuch";

// A booking dialog books once it was confirmed: the document and its views change only then.
template <typename Dialog>
void RunBooking(CKapibuchDoc& doc, platform::Prompter& prompter, QWidget* parent) {
  Dialog dialog(doc, prompter, parent);
  if (dialog.exec() == QDialog::Accepted) dialog.Book(doc);
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
  m_placement = new WindowPlacement(*m_area, 900, 560);
  // Unsaved changes are copied aside every 2 seconds (see MainFrameRecovery.cpp).
  auto* recovery = new QTimer(this);
  connect(recovery, &QTimer::timeout, this, &MainFrame::KeepRecoveryCopies);
  recovery->start(2000);
  connect(m_area, &QMdiArea::subWindowActivated, this, &MainFrame::OnFrameActivated);
  m_recent = new RecentFiles(m_settings, this);
  connect(m_recent, &RecentFiles::OpenRequested, this, [this](const QString& path) { OpenFile(path); });
  CreateMenus();
  CreateToolBar();
  addToolBarBreak();
  m_periodBar = new PeriodBar(m_prompter, m_clock, this);
  addToolBar(m_periodBar);
  ConnectPeriodBar();
  statusBar()->showMessage(QStringLiteral("Bereit"));
  UpdateActions();
}

MainFrame::~MainFrame() {
  // The windows go first, while this frame is still whole: no signal may reach it later.
  QObject::disconnect(m_area, nullptr, this, nullptr);
  for (QMdiSubWindow* w : m_area->subWindowList()) delete w;
  for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
}

void MainFrame::AddMenu(const char* title, const std::vector<MenuCommand>& commands) {
  QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
  for (const MenuCommand& command : commands) {
    QAction* a = AddAction(*menu, *this, command);
    if (command.id != CommandId::None) m_actions[command.id] = a;
    if (command.needsDocument) m_documentActions.push_back(a);
    if (command.onToolBar) m_toolActions.emplace_back(command.id, a);
  }
}

QAction* MainFrame::Action(CommandId id) const {
  return m_actions.at(id);
}

void MainFrame::OnDocumentCommand(const std::function<void(ChildFrame&, CKapibuchDoc&)>& command) {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return;
  const QPointer<ChildFrame> window(frame);
  // A booking updates every view of its document itself; here only titles and commands follow.
  command(*frame, frame->Session().Doc());
  UpdateTitles();
  UpdateActions();
  ReturnFocus(window);
}

void MainFrame::ReturnFocus(ChildFrame* frame) {
  // A dialog closed with OK may leave the keyboard in no window (the widget that had it
  // was rebuilt): it goes back to the document window, as after "Abbrechen".
  if (!frame) return;
  activateWindow();
  m_area->setActiveSubWindow(frame);
  if (QWidget* view = frame->widget(); view && !view->isAncestorOf(QApplication::focusWidget()))
    view->setFocus(Qt::OtherFocusReason);
}

void MainFrame::CreateMenus() {
  const auto onDoc = [this](std::function<void(ChildFrame&, CKapibuchDoc&)> command) {
    return [this, command] { OnDocumentCommand(command); };
  };
  const auto onView = [this](void (*command)(QWidget*, const KapibuchView&, platform::Prompter&)) {
    return [this, command] {
      if (ChildFrame* f = ActiveFrame()) command(this, f->View(), m_prompter);
    };
  };
  const QKeySequence none;
  AddMenu(
      "&Datei",
      {{CommandId::New, "&Neu...", QKeySequence(Qt::CTRL | Qt::Key_N),
        "Erstellt eine neue Kapitalbuch-Datei.", "neu", [this] { OnNew(); }, false, true},
       {CommandId::Open, "Ö&ffnen...", QKeySequence(Qt::CTRL | Qt::Key_O),
        "Öffnet eine vorhandene Kapitalbuch-Datei.", "oeffnen", [this] { OnOpen(); }, false, true},
       {CommandId::Close, "S&chließen", none, "Schließt das aktive Fenster.", nullptr,
        [this] {
          if (QMdiSubWindow* w = m_area->activeSubWindow()) w->close();
        },
        true},
       {CommandId::Save, "&Speichern", QKeySequence(Qt::CTRL | Qt::Key_S), "Speichert die aktive Datei.",
        "speichern", [this] { SaveActive(false); }, true, true},
       {CommandId::SaveAs, "Speichern &unter...", none, "Speichert die aktive Datei unter einem neuen Namen.",
        nullptr, [this] { SaveActive(true); }, true},
       {CommandId::Backups, "Sicherungs&kopien...", none,
        "Öffnet eine Sicherungskopie als neue, ungespeicherte Datei.", nullptr, [this] { OnBackups(); }},
       {},
       {CommandId::Print, "&Drucken...", QKeySequence(Qt::CTRL | Qt::Key_P),
        "Druckt die Ansicht des aktiven Fensters.", "drucken", onView(&printing::Print), true, true},
       {CommandId::Preview, "Sei&tenansicht", none, "Zeigt die Druckseiten der Ansicht.", "seitenansicht",
        onView(&printing::Preview), true, true},
       {CommandId::PrintDirect, "Direkt d&rucken", none,
        "Druckt die Ansicht ohne Rückfrage auf dem Standarddrucker.", nullptr, [this] { OnPrintDirect(); },
        true},
       {CommandId::PrinterSetup, "Drucker&einrichtung...", none, "Wählt Drucker, Papier und Ausrichtung.",
        nullptr, [this] { printing::RunPrinterSetup(this); }},
       {}});
  QMenu* file = menuBar()->actions().back()->menu();
  m_recent->AddToMenu(*file);
  file->addSeparator();
  m_actions[CommandId::Quit] =
      AddAction(*file, *this,
                {CommandId::Quit, "&Beenden", none, "Beendet Kapitalbuch.", nullptr, [this] { close(); }});

  const auto booking = [this, onDoc](void (*run)(CKapibuchDoc&, platform::Prompter&, QWidget*)) {
    return onDoc([this, run](ChildFrame&, CKapibuchDoc& doc) { run(doc, m_prompter, this); });
  };
  AddMenu("&Bearbeiten",
          {{CommandId::Undo, "&Rückgängig", QKeySequence(Qt::CTRL | Qt::Key_Z),
            "Nimmt die letzte Änderung des Dokuments zurück.", nullptr,
            onDoc([](ChildFrame&, CKapibuchDoc& doc) { doc.UndoChange(); }), true},
           {CommandId::Redo, "Wieder&holen", QKeySequence(Qt::CTRL | Qt::Key_Y),
            "Führt die zuletzt zurückgenommene Änderung wieder aus.", nullptr,
            onDoc([](ChildFrame&, CKapibuchDoc& doc) { doc.RedoChange(); }), true},
           {},
           {CommandId::Buy, "&Kauf...", QKeySequence(Qt::CTRL | Qt::Key_K), "Wertpapier kaufen.", "kauf",
            booking(&RunBooking<dialogs::KaufDialog>), true, true},
           {CommandId::Sell, "&Verkauf...", QKeySequence(Qt::CTRL | Qt::Key_V), "Wertpapier verkaufen.",
            "verkauf", booking(&RunBooking<dialogs::VerkaufDialog>), true, true},
           {CommandId::EnterPrices, "Kurse &eingeben...", QKeySequence(Qt::CTRL | Qt::Key_E),
            "Erlaubt die manuelle Eingabe der Wertpapierkurse für einen bestimmten Tag.", "kurse",
            onDoc([this](ChildFrame&, CKapibuchDoc& doc) {
              dialogs::KurseEingebenDialog(doc, m_prompter, this).exec();
            }),
            true, true},
           {CommandId::ImportPrices, "Kurse &importieren...", QKeySequence(Qt::CTRL | Qt::Key_I),
            "Liest die Kurse für ein Wertpapier aus einer Textdatei ein.", "import",
            onDoc([this](ChildFrame&, CKapibuchDoc& doc) {
              dialogs::KurseImportierenDialog(doc, m_prompter, m_settings, this).exec();
            }),
            true, true},
           {CommandId::ExportPrices, "Kurse e&xportieren...", none,
            "Kurse eines Wertpapiers in eine Textdatei schreiben.", "import",
            onDoc([this](ChildFrame&, CKapibuchDoc& doc) {
              dialogs::KurseExportierenDialog(doc, m_prompter, m_settings, this).exec();
            }),
            true},
           {CommandId::UpdatePrices, "Kurse ak&tualisieren...", QKeySequence(Qt::CTRL | Qt::Key_U),
            "Holt die neuen Kurse aller Wertpapiere mit Kursquelle aus dem Internet.", "import",
            onDoc([this](ChildFrame&, CKapibuchDoc& doc) {
              dialogs::KurseAktualisierenDialog(doc, m_prompter, m_settings, m_download, this).exec();
            }),
            true, true},
           {CommandId::PriceSources, "Kurs&quellen...", none,
            "Legt fest, woher die Kurse jedes Wertpapiers geladen werden.", nullptr,
            onDoc([this](ChildFrame&, CKapibuchDoc& doc) {
              dialogs::KursquellenDialog(doc, m_prompter, m_settings, m_download, this).exec();
            }),
            true},
           {CommandId::Movement, "Konto&bewegung...", QKeySequence(Qt::CTRL | Qt::Key_B),
            "Neue Kontobewegung hinzufügen.", "konto", booking(&RunBooking<dialogs::KontobewegungDialog>),
            true, true},
           {CommandId::Split, "&Aktiensplit...", none, "Aktiensplit durchführen.", "kurse",
            booking(&RunBooking<dialogs::AktiensplitDialog>), true},
           {CommandId::SwitchCurrency, "Konto&währung umstellen...", none,
            "Kontowährung von DM auf Euro umstellen.", nullptr,
            booking(&RunBooking<dialogs::KontowaehrungDialog>), true},  // enabled while the account is in DM
           {CommandId::HolderData, "&Depotdaten...", none,
            "Namen und Anschrift des Depotinhabers, Depot- und Kontonummer eingeben.", nullptr,
            booking(&RunBooking<dialogs::DepotdatenDialog>), true},
           {},
           {CommandId::Options, "&Optionen...", QKeySequence(Qt::Key_F5), "Darstellungsoptionen einstellen.",
            "optionen", onDoc([this](ChildFrame& frame, CKapibuchDoc& doc) {
              dialogs::OptionenDialog dialog(doc, m_prompter, views::Traits(frame.Mode()).optionsPage, this);
              if (dialog.exec() == QDialog::Accepted) dialog.Book(doc);
            }),
            true, true}});
  m_undoAction = Action(CommandId::Undo);
  m_redoAction = Action(CommandId::Redo);
  m_redoAction->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  m_switchAction = Action(CommandId::SwitchCurrency);

  QMenu* view = menuBar()->addMenu(QStringLiteral("&Ansicht"));
  for (const views::ModeTraits& mode : views::AllModes()) {
    const views::ViewMode m = mode.mode;
    QAction* a = AddAction(
        *view, *this,
        {CommandId::None, mode.menuText, QKeySequence(QStringLiteral("Ctrl+%1").arg(QLatin1Char(mode.key))),
         "", mode.icon, [this, m] {
           if (ChildFrame* f = ActiveFrame()) f->SetMode(m);
         }});
    a->setCheckable(true);
    a->setStatusTip(QStringLiteral("Zeigt ") + QString::fromUtf8(mode.title) + QStringLiteral("."));
    a->setIconText(QString::fromUtf8(mode.toolText));
    m_modeActions[static_cast<std::size_t>(m)] = a;
  }
  view->addSeparator();

  AddMenu("&Fenster",
          {{CommandId::NewWindow, "&Neues Fenster", none, "Öffnet ein weiteres Fenster für die aktive Datei.",
            nullptr, [this] { NewWindow(); }, true},
           {CommandId::Cascade, "Ü&berlappend", none, "Ordnet die Fenster überlappend an.", nullptr,
            [this] { m_area->cascadeSubWindows(); }},
           {CommandId::Tile, "Neben&einander", none, "Ordnet die Fenster nebeneinander an.", nullptr,
            [this] { m_area->tileSubWindows(); }},
           {CommandId::SplitWindow, "&Teilen", none,
            "Teilt das aktive Fenster in vier Bereiche oder hebt die Teilung auf.", nullptr,
            [this] {
              if (ChildFrame* f = ActiveFrame()) f->SetSplit(!f->IsSplit());
            },
            true}});
  new WindowList(*menuBar()->actions().back()->menu(), *m_area);

  AddMenu("&Hilfe", {{CommandId::Help, "&Inhalt", QKeySequence(Qt::Key_F1), "Zeigt die Hilfe an.", "hilfe",
                      [] { dialogs::ShowHelp(); }, false, true},
                     {CommandId::About, "Inf&o über Kapitalbuch...", none,
                      "Zeigt Programmname und Version an.", nullptr, [this] { OnAbout(); }, false, true}});
  m_tools = new QToolBar(QStringLiteral("Symbolleiste"), this);
  view->addAction(m_tools->toggleViewAction());
}

void MainFrame::CreateToolBar() {
  m_tools->setObjectName(QStringLiteral("tools"));
  addToolBar(m_tools);
  // In the order of the menus: file | printing | bookings | options | the view modes | help.
  for (const auto& [id, action] : m_toolActions) {
    if (id == CommandId::Print || id == CommandId::Buy || id == CommandId::Options) m_tools->addSeparator();
    if (id == CommandId::Help) {
      m_tools->addSeparator();
      for (const views::ModeTraits& mode : views::AllModes())
        m_tools->addAction(m_modeActions[static_cast<std::size_t>(mode.mode)]);
      m_tools->addSeparator();
    }
    m_tools->addAction(action);
  }
  m_tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void MainFrame::ConnectPeriodBar() {
  const auto forActive = [this](auto change) {
    return [this, change](auto value) {
      if (ChildFrame* f = ActiveFrame()) (f->*change)(value);
    };
  };
  connect(m_periodBar, &PeriodBar::FirstDateChanged, this, forActive(&ChildFrame::OnFirstDateChanged));
  connect(m_periodBar, &PeriodBar::SecondDateChanged, this, forActive(&ChildFrame::OnSecondDateChanged));
  connect(m_periodBar, &PeriodBar::PortfolioSeriesChanged, this,
          forActive(&ChildFrame::OnPortfolioSeriesChanged));
  connect(m_periodBar, &PeriodBar::SecuritySeriesChanged, this,
          forActive(&ChildFrame::OnSecuritySeriesChanged));
  connect(m_periodBar, &PeriodBar::SelectRequested, this, [this] {
    ChildFrame* frame = ActiveFrame();
    if (!frame) return;
    const QPointer<ChildFrame> window(frame);
    dialogs::PositionAuswahlDialog dialog(frame->Session().Doc(), frame->State().selection, this);
    if (dialog.exec() == QDialog::Accepted && window)
      window->OnSelectPositions(dialog.Selection(), dialog.TimeInPortfolio());
    ReturnFocus(window);
  });
}

dialogs::DateField& MainFrame::FirstPicker() {
  return m_periodBar->FirstPicker();
}
dialogs::DateField& MainFrame::SecondPicker() {
  return m_periodBar->SecondPicker();
}
QLabel& MainFrame::FirstLabel() {
  return m_periodBar->FirstLabel();
}
QStringList MainFrame::RecentFileList() const {
  return m_recent->Files();
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

void MainFrame::OnFrameStateChanged(ChildFrame* frame) {
  if (frame != ActiveFrame()) return;
  m_periodBar->ShowFrame(&frame->State(), frame->Session().Doc().Account().StartDay());
  UpdateActions();
}

void MainFrame::OnFrameActivated(QMdiSubWindow* window) {
  if (auto* frame = qobject_cast<ChildFrame*>(window)) {
    m_periodBar->ShowFrame(&frame->State(), frame->Session().Doc().Account().StartDay());
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" - ") + frame->Session().Title());
  } else if (!window) {
    m_periodBar->ShowFrame(nullptr, {});
    setWindowTitle(QString::fromUtf8(kCaption));
  }
  UpdateActions();
}

void MainFrame::UpdateActions() {
  ChildFrame* frame = ActiveFrame();
  for (QAction* a : m_documentActions) a->setEnabled(frame != nullptr);
  for (const views::ModeTraits& mode : views::AllModes()) {
    QAction* a = m_modeActions[static_cast<std::size_t>(mode.mode)];
    a->setEnabled(frame != nullptr);
    a->setChecked(frame && frame->Mode() == mode.mode);
  }
  m_switchAction->setEnabled(frame && KontowaehrungForm::Enabled(frame->Session().Doc()));
  // "Rückgängig: Kauf Siemens AG am 05.01.2024" while there is a change to take back.
  const UndoHistory* undo = frame ? frame->Session().Doc().Undo() : nullptr;
  const auto name = [](const char* command, const std::string& label) {
    QString text = QString::fromUtf8(command);
    if (!label.empty())
      text += QStringLiteral(": ") +
              QString::fromStdString(label).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text;
  };
  m_undoAction->setText(name("&Rückgängig", undo ? undo->UndoLabel() : std::string()));
  m_undoAction->setEnabled(undo && undo->CanUndo());
  m_redoAction->setText(name("Wieder&holen", undo ? undo->RedoLabel() : std::string()));
  m_redoAction->setEnabled(undo && undo->CanRedo());
}

void MainFrame::UpdateTitles() {
  for (ChildFrame* f : Frames()) f->UpdateTitle();
  if (ChildFrame* f = ActiveFrame()) {
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" - ") + f->Session().Title());
  }
}

ChildFrame* MainFrame::AddFrame(std::shared_ptr<qt::DocumentSession> session) {
  auto* frame = new ChildFrame(std::move(session));
  connect(frame, &ChildFrame::StateChanged, this, &MainFrame::OnFrameStateChanged);
  connect(
      frame, &ChildFrame::CloseRequested, this,
      [this](ChildFrame* f, bool* allowed) { *allowed = MayClose(*f); }, Qt::DirectConnection);
  m_area->addSubWindow(frame);
  m_placement->Show(*frame);
  for (KapibuchView* view : frame->Views()) view->OnDocumentUpdate({});
  OnFrameStateChanged(frame);
  return frame;
}

void MainFrame::Tell(const QString& text, platform::Icon icon) {
  m_prompter.Tell(kCaption, text.toStdString(), icon);
}

ChildFrame* MainFrame::NewWindow() {
  ChildFrame* active = ActiveFrame();
  return active ? AddFrame(active->SharedSession()) : nullptr;
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

void MainFrame::OnPrintDirect() {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return;
  if (!printing::HasPrinter()) {
    Tell(
        QStringLiteral("Es ist kein Drucker eingerichtet.\n\nÜber \"Drucken...\" lassen sich die Seiten als "
                       "PDF-Datei speichern."));
    return;
  }
  printing::PrintDirect(this, frame->View(), m_prompter);
}

void MainFrame::OnAbout() {
  Tell(QStringLiteral("Kapitalbuch %1\n\nWertpapierdepot und Konto eines Privatanlegers, auf den Cent genau.")
           .arg(QStringLiteral(KAPIBUCH_VERSION)),
       platform::Icon::Information);
}
