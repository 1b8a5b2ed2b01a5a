#include "frames/Session.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <ctime>
#include <sys/stat.h>

#include "document/BackupStore.h"
#include "document/RecoveryStore.h"
#include "document/UndoHistory.h"

namespace {

// A command of kapibuch-cli holds the lock for a moment: worth waiting for.
constexpr std::chrono::milliseconds kLockWait{2000};

QByteArray ContentHash(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(&file);
  return hash.result();
}

}  // namespace

DocumentSession::DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title)
    : m_doc(std::move(doc)), m_path(std::move(path)), m_title(std::move(title)) {
  // Every change from now on can be undone while the file is open.
  m_doc->KeepUndoHistory();
}

DocumentSession::~DocumentSession() {
  // A session ends when its last window closes: saved, or its changes given up.
  WaitForRecoveryWrite();
  if (m_hasRecoveryCopy) RecoveryStore().Remove(m_recoveryWrittenFor, m_recoveryWrittenNew);
}

std::string DocumentSession::RecoveryOrigin() const {
  return (m_path.isEmpty() ? m_title : m_path).toStdString();
}

void DocumentSession::WaitForRecoveryWrite() {
  if (m_recoveryWrite.valid()) m_hasRecoveryCopy = m_recoveryWrite.get() || m_hasRecoveryCopy;
}

void DocumentSession::KeepRecoveryCopy() {
  if (m_recoveryWrite.valid()) {
    if (m_recoveryWrite.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    WaitForRecoveryWrite();
  }
  const std::string origin = RecoveryOrigin();
  const bool isNew = m_path.isEmpty();
  // A copy of another name (the file was saved under a new one) or of a saved state goes.
  if (m_hasRecoveryCopy && (!m_doc->IsModified() || origin != m_recoveryWrittenFor || isNew != m_recoveryWrittenNew)) {
    RecoveryStore().Remove(m_recoveryWrittenFor, m_recoveryWrittenNew);
    m_hasRecoveryCopy = false;
  }
  if (!m_doc->IsModified() || (m_hasRecoveryCopy && m_recoveredChanges == m_doc->Changes())) return;
  m_recoveredChanges = m_doc->Changes();
  m_recoveryWrittenFor = origin;
  m_recoveryWrittenNew = isNew;
  const unsigned mode = m_disk.exists ? m_disk.mode : 0600;
  // The file is made and written away from the window, from the state the last change left
  // (the undo history's, which nothing changes): typing never waits for it.
  m_recoveryWrite = std::async(std::launch::async, [origin, isNew, mode, state = m_doc->Undo()->Current()] {
    std::vector<std::uint8_t> bytes;
    try {
      bytes = CKapibuchDoc::SerializeParts(*state);
    } catch (const std::exception&) {
      return false;  // a text the file cannot hold: saving says so
    }
    return RecoveryStore().Write(origin, isNew, bytes, mode);
  });
}

void DocumentSession::Recover(std::unique_ptr<CKapibuchDoc> doc) {
  m_doc = std::move(doc);
  m_doc->SetModified();
  m_doc->KeepUndoHistory();
  // The copy it came from is this session's now: rewritten at the next turn, removed once
  // the file is saved.
  m_hasRecoveryCopy = true;
  m_recoveryWrittenFor = RecoveryOrigin();
  m_recoveryWrittenNew = false;
  m_recoveredChanges = m_doc->Changes() - 1;
}

void DocumentSession::WriteRecoveryCopyNow() {
  WaitForRecoveryWrite();
  KeepRecoveryCopy();
  WaitForRecoveryWrite();
}

DocumentSession::DiskFile DocumentSession::Observe(const QString& path, bool withHash) {
  DiskFile file;
  struct stat st {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return file;
  file.exists = true;
  file.device = st.st_dev;
  file.inode = st.st_ino;
  file.size = static_cast<unsigned long long>(st.st_size);
  file.mtimeSeconds = st.st_mtim.tv_sec;
  file.mtimeNanoseconds = st.st_mtim.tv_nsec;
  file.mode = st.st_mode & 07777;
  if (withHash) file.hash = ContentHash(path);
  return file;
}

std::shared_ptr<DocumentSession> DocumentSession::OpenFile(const QString& path, const platform::Clock& clock,
                                                           DocumentError& error) {
  // What is no regular file is refused before a lock file is made beside it.
  error = QFileInfo(path).isFile() ? DocumentError::None : DocumentError::Open;
  if (error != DocumentError::None) return nullptr;
  PortfolioLock lock;
  // Locked before reading, so nobody can save between reading here and locking. In a
  // folder where no lock can be made the file is read all the same; saving is refused there.
  if (lock.Acquire(path.toStdString(), kLockWait) == PortfolioLock::Result::Busy) return nullptr;
  auto doc = CKapibuchDoc::Open(path.toStdString(), clock, error);
  if (!doc) return nullptr;
  auto session = std::make_shared<DocumentSession>(std::move(doc), path, QFileInfo(path).fileName());
  session->m_lock = std::move(lock);
  session->m_disk = Observe(path, true);
  return session;
}

bool DocumentSession::Lock(const QString& path) {
  return m_lock.Acquire(path.toStdString(), kLockWait) == PortfolioLock::Result::Locked;
}

bool DocumentSession::ChangedOutside() const {
  if (m_path.isEmpty() || !m_disk.exists) return false;
  const DiskFile now = Observe(m_path, false);
  if (!now.exists || now.device != m_disk.device || now.inode != m_disk.inode || now.size != m_disk.size)
    return true;
  if (now.mtimeSeconds == m_disk.mtimeSeconds && now.mtimeNanoseconds == m_disk.mtimeNanoseconds) return false;
  return ContentHash(m_path) != m_disk.hash;
}

DocumentError DocumentSession::SaveAs(const QString& path) {
  // Saving under another name locks that file first; this file's lock stays until then.
  PortfolioLock other;
  const bool switching = path != m_path || !m_lock.IsLocked();
  if (switching && other.Acquire(path.toStdString(), kLockWait) != PortfolioLock::Result::Locked)
    return DocumentError::Save;
  // A file deleted behind the program's back comes back with the mode it had.
  const unsigned modeIfNew = !switching && m_disk.exists ? m_disk.mode : 0;
  const DocumentError error = m_doc->Save(
      path.toStdString(),
      [this, &path](const std::string& file) {
        // The old file is kept once a session, and again whenever what is about to be
        // written over is not what this session read or wrote last (changed outside).
        const std::string key = BackupStore::KeyOf(file);
        if (m_backedUp.count(key) > 0 && path == m_path && m_disk.exists && ContentHash(path) == m_disk.hash)
          return true;
        if (!BackupStore().Backup(file, std::time(nullptr))) return false;
        m_backedUp.insert(key);
        return true;
      },
      modeIfNew);
  if (error == DocumentError::None) {
    if (switching) {
      m_lock = std::move(other);
      m_path = path;
      m_title = QFileInfo(path).fileName();
    }
    m_disk = Observe(m_path, true);
  }
  return error;
}
