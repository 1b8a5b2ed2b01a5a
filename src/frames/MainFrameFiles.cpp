// MainFrame: opening, creating and saving portfolio files, and files dropped on the window.
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>

#include "dialogs/BackupsDialog.h"
#include "dialogs/FileFolder.h"
#include "dialogs/NewFileWizard.h"
#include "document/RecoveryStore.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "frames/RecentFiles.h"
#include "qt/DocumentSession.h"

namespace {

constexpr const char* kCaption = "Kapitalbuch";

}  // namespace

ChildFrame* MainFrame::OpenFile(const QString& path, bool quietIfLocked) {
  const QString canonical = QFileInfo(path).absoluteFilePath();
  for (ChildFrame* f : Frames()) {
    if (f->Session().Path() == canonical) {
      m_area->setActiveSubWindow(f);
      return f;
    }
  }
  DocumentError error = DocumentError::None;
  auto session = qt::DocumentSession::OpenFile(canonical, m_clock, error);
  // Every change from now on can be undone while the file is open.
  if (session) session->Doc().KeepUndoHistory();
  if (error != DocumentError::None) {
    Tell(QString::fromStdString(DocumentErrorMessage(error)));
    return nullptr;
  }
  if (!session) {
    if (quietIfLocked) return nullptr;
    Tell(QStringLiteral("Die Datei %1 wird gerade von einem anderen Programm bearbeitet (einem anderen "
                        "Kapitalbuch-Fenster oder kapibuch-cli) und kann deshalb nicht geöffnet werden.")
             .arg(canonical));
    return nullptr;
  }
  // Changes left unsaved by a program that ended without saving them.
  if (const auto copy = RecoveryStore().Find(canonical.toStdString())) {
    if (AskToRecover(canonical, copy->written, copy->copy, copy->origin)) {
      auto recovered = CKapibuchDoc::Open(copy->copy, m_clock, error);
      if (recovered) {
        session->Recover(std::move(recovered));
      } else {
        Tell(QString::fromStdString(DocumentErrorMessage(error)));
      }
    }
  }
  m_recent->Add(canonical);
  return AddFrame(std::move(session));
}

ChildFrame* MainFrame::NewDocument(const NewFileData& answers) {
  auto doc = std::make_unique<CKapibuchDoc>(m_clock);
  doc->SetupNew(answers);
  return OpenAsNew(std::move(doc));
}

ChildFrame* MainFrame::OpenAsNew(std::unique_ptr<CKapibuchDoc> doc) {
  doc->KeepUndoHistory();
  auto session = std::make_shared<qt::DocumentSession>(std::move(doc), QString(),
                                                       QStringLiteral("Depot%1").arg(++m_newCount));
  return AddFrame(std::move(session));
}

void MainFrame::OnBackups() {
  const QString path = dialogs::BackupsDialog::Choose(this);
  if (path.isEmpty()) return;
  DocumentError error = DocumentError::None;
  auto doc = CKapibuchDoc::Open(path.toStdString(), m_clock, error);
  if (!doc) {
    Tell(QString::fromStdString(DocumentErrorMessage(error)));
    return;
  }
  doc->SetModified();  // not saved anywhere yet: closing asks
  OpenAsNew(std::move(doc));
}

bool MainFrame::SaveActive(bool askName) {
  ChildFrame* frame = ActiveFrame();
  if (!frame) return false;
  qt::DocumentSession& session = frame->Session();
  QString path = session.Path();
  if (askName || path.isEmpty()) {
    path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Speichern unter"),
        dialogs::StartPath(m_settings, path, session.Title() + QStringLiteral(".kpz")),
        QStringLiteral("Kapitalbuch-Datei (*.kpz)"));
    if (path.isEmpty()) return false;
    dialogs::RememberFolder(m_settings, path);
    if (!path.endsWith(QStringLiteral(".kpz"), Qt::CaseInsensitive)) path += QStringLiteral(".kpz");
  } else if (session.ChangedOutside()) {
    // Restored by a sync tool, copied over, deleted: never written over without a question.
    const platform::Answer answer = m_prompter.Ask(
        kCaption,
        QStringLiteral(
            "Die Datei „%1“ wurde außerhalb von Kapitalbuch geändert oder gelöscht. Möchten Sie sie "
            "trotzdem überschreiben?")
            .arg(path)
            .toStdString(),
        platform::Icon::Exclamation, platform::Buttons::OverwriteSaveAsCancel);
    if (answer == platform::Answer::SaveAs) return SaveActive(true);
    if (answer != platform::Answer::Overwrite) return false;
  }
  const DocumentError error = session.SaveAs(path);
  if (error != DocumentError::None) {
    Tell(QString::fromStdString(DocumentErrorMessage(error)));
    return false;
  }
  m_recent->Add(session.Path());
  UpdateTitles();
  return true;
}

bool MainFrame::MayClose(ChildFrame& frame) {
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

void MainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenFile(url.toLocalFile());
  }
}

void MainFrame::OnNew() {
  NewFileWizard wizard(CKBXDatum::Today(m_clock), m_prompter, this);
  if (wizard.exec() == QDialog::Accepted) NewDocument(wizard.Result());
}

void MainFrame::OnOpen() {
  ChildFrame* active = ActiveFrame();
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Öffnen"),
      dialogs::StartPath(m_settings, active ? active->Session().Path() : QString()),
      QStringLiteral("Kapitalbuch-Datei (*.kpz)"));
  if (path.isEmpty()) return;
  dialogs::RememberFolder(m_settings, path);
  OpenFile(path);
}
