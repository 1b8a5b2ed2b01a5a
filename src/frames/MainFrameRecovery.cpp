// Recovery copies in the desktop program: written every 2 seconds while a document has
// unsaved changes, offered when the program starts or a file is opened, written once more
// when the program is told to end (SIGTERM, SIGHUP).
#include <unistd.h>

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <csignal>

#include "document/RecoveryStore.h"
#include "frames/ChildFrame.h"
#include "frames/MainFrame.h"
#include "qt/DocumentSession.h"

std::vector<qt::DocumentSession*> MainFrame::Sessions() const {
  std::vector<qt::DocumentSession*> sessions;
  for (ChildFrame* f : Frames()) {
    if (std::find(sessions.begin(), sessions.end(), &f->Session()) == sessions.end())
      sessions.push_back(&f->Session());
  }
  return sessions;
}

void MainFrame::KeepRecoveryCopies() {
  for (qt::DocumentSession* session : Sessions()) session->KeepRecoveryCopy();
}

void MainFrame::KeepChangesForRecovery() {
  for (qt::DocumentSession* session : Sessions()) {
    session->WriteRecoveryCopyNow();
    session->ReleaseLock();
  }
}

bool MainFrame::AskToRecover(const QString& what, std::time_t written, const std::string& copy,
                             const std::string& origin) {
  const QString when = QDateTime::fromSecsSinceEpoch(written).toString(QStringLiteral("dd.MM.yyyy, hh:mm"));
  const QString question =
      QStringLiteral(
          "Kapitalbuch wurde nicht ordnungsgemäß beendet. Für „%1“ gibt es ungespeicherte Änderungen "
          "vom %2. Möchten Sie sie wiederherstellen?")
          .arg(what, when);
  if (m_prompter.Ask("Kapitalbuch", question.toStdString(), platform::Icon::Question,
                     platform::Buttons::YesNo) == platform::Answer::Yes)
    return true;
  // Not taken: kept among the backups, where "Sicherungskopien..." finds it.
  RecoveryEntry entry;
  entry.copy = copy;
  entry.origin = origin;
  RecoveryStore().MoveToBackups(entry, m_clock.Now());
  return false;
}

void MainFrame::OfferRecoveries() {
  for (const RecoveryEntry& entry : RecoveryStore().List()) {
    if (entry.isNew) {
      // A new document of a program that still runs is that program's own.
      if (entry.process == ::getpid() || (entry.process > 0 && ::kill(entry.process, 0) == 0)) continue;
      if (!AskToRecover(QString::fromStdString(entry.origin), entry.written, entry.copy, entry.origin))
        continue;
      DocumentError error = DocumentError::None;
      auto doc = CKapibuchDoc::Open(entry.copy, m_clock, error);
      if (!doc) {
        Tell(QString::fromStdString(DocumentErrorMessage(error)));
        continue;
      }
      doc->SetModified();
      OpenAsNew(std::move(doc));  // writes its own copy; the old one goes
      ::unlink(entry.copy.c_str());
      ::unlink((entry.copy.substr(0, entry.copy.size() - 4) + ".ort").c_str());
      continue;
    }
    // A file: offered as it is opened, unless another program has it open.
    bool open = false;
    for (qt::DocumentSession* s : Sessions()) open |= s->File() == entry.origin;
    if (!open && QFileInfo::exists(QString::fromStdString(entry.origin)))
      OpenFile(QString::fromStdString(entry.origin), true);
  }
}
