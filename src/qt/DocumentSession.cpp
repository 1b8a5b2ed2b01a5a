#include "qt/DocumentSession.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QFile>
#include <chrono>
#include <fstream>

#include "document/BackupStore.h"
#include "document/RecoveryStore.h"
#include "document/UndoHistory.h"
#include "platform/Clock.h"

namespace qt {

using namespace platform;  // the interfaces this layer implements

namespace {

QByteArray ContentHash(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  QCryptographicHash hash(QCryptographicHash::Sha256);
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    hash.addData(QByteArrayView(buffer, static_cast<qsizetype>(in.gcount())));
  }
  return hash.result();
}

bool IsRegularFile(const std::string& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string DocumentSession::FileOf(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString DocumentSession::NameOf(const std::string& file) {
  return QFile::decodeName(QByteArray::fromStdString(file));
}

DocumentSession::DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title)
    : m_doc(std::move(doc)), m_file(FileOf(path)), m_title(std::move(title)) {}

DocumentSession::~DocumentSession() {
  // A session ends when its last window closes: saved, or its changes given up.
  SettleHash();
  WaitForRecoveryWrite();
  if (m_hasRecoveryCopy) RecoveryStore().Remove(m_recoveryWrittenFor, m_recoveryWrittenNew);
}

std::string DocumentSession::RecoveryOrigin() const {
  return m_file.empty() ? m_title.toStdString() : m_file;
}

void DocumentSession::WaitForRecoveryWrite() {
  if (m_recoveryWrite.valid()) m_hasRecoveryCopy = m_recoveryWrite.get() || m_hasRecoveryCopy;
}

void DocumentSession::KeepRecoveryCopy() {
  if (!m_doc->Undo()) return;  // a command of kapibuch-cli: its change is saved or dropped at once
  if (m_recoveryWrite.valid()) {
    if (m_recoveryWrite.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    WaitForRecoveryWrite();
  }
  const std::string origin = RecoveryOrigin();
  const bool isNew = m_file.empty();
  // A copy of another name (the file was saved under a new one) or of a saved state goes.
  if (m_hasRecoveryCopy &&
      (!m_doc->IsModified() || origin != m_recoveryWrittenFor || isNew != m_recoveryWrittenNew)) {
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

DocumentSession::DiskFile DocumentSession::Observe(const std::string& file, bool withHash) {
  DiskFile seen;
  struct stat st {};
  if (file.empty() || ::stat(file.c_str(), &st) != 0) return seen;
  seen.exists = true;
  seen.device = st.st_dev;
  seen.inode = st.st_ino;
  seen.size = static_cast<unsigned long long>(st.st_size);
  seen.mtimeSeconds = st.st_mtim.tv_sec;
  seen.mtimeNanoseconds = st.st_mtim.tv_nsec;
  seen.mode = st.st_mode & 07777;
  if (withHash) seen.hash = ContentHash(file);
  return seen;
}

std::shared_ptr<DocumentSession> DocumentSession::OpenFile(const std::string& file,
                                                           const platform::Clock& clock,
                                                           std::chrono::milliseconds wait,
                                                           DocumentError& error) {
  // What is no regular file (a folder, a FIFO, /dev/zero) is refused before a lock file
  // is made beside it.
  error = IsRegularFile(file) ? DocumentError::None : DocumentError::Open;
  if (error != DocumentError::None) return nullptr;
  PortfolioLock lock;
  // Locked before reading, so nobody can save between reading here and locking.
  if (lock.Acquire(file, wait) == PortfolioLock::Result::Busy) return nullptr;
  auto doc = CKapibuchDoc::Open(file, clock, error);
  if (!doc) return nullptr;
  const std::string::size_type slash = file.rfind('/');
  auto session = std::make_shared<DocumentSession>(
      std::move(doc), QString(), NameOf(slash == std::string::npos ? file : file.substr(slash + 1)));
  session->m_file = file;
  session->m_lock = std::move(lock);
  session->m_disk = Observe(file, false);
  session->m_openedHash = std::async(std::launch::async, [file, seen = session->m_disk] {
    const QByteArray hash = ContentHash(file);
    const DiskFile now = Observe(file, false);
    const bool same = now.exists && now.device == seen.device && now.inode == seen.inode &&
                      now.size == seen.size && now.mtimeSeconds == seen.mtimeSeconds &&
                      now.mtimeNanoseconds == seen.mtimeNanoseconds;
    return same ? hash : QByteArray();
  });
  return session;
}

PortfolioLock::Result DocumentSession::Lock(const std::string& file, std::chrono::milliseconds wait) {
  return m_lock.Acquire(file, wait);
}

void DocumentSession::SettleHash() const {
  if (m_openedHash.valid()) m_disk.hash = m_openedHash.get();
}

bool DocumentSession::ChangedOutside() const {
  SettleHash();
  if (m_file.empty() || !m_disk.exists) return false;
  const DiskFile now = Observe(m_file, false);
  if (!now.exists || now.device != m_disk.device || now.inode != m_disk.inode || now.size != m_disk.size)
    return true;
  if (now.mtimeSeconds == m_disk.mtimeSeconds && now.mtimeNanoseconds == m_disk.mtimeNanoseconds)
    return false;
  return ContentHash(m_file) != m_disk.hash;
}

DocumentError DocumentSession::SaveAs(const std::string& file) {
  SettleHash();
  // Saving under another name locks that file first; this file's lock stays until then.
  PortfolioLock other;
  const bool switching = file != m_file || !m_lock.IsLocked();
  if (switching && other.Acquire(file, kDesktopLockWait) != PortfolioLock::Result::Locked)
    return DocumentError::Save;
  // A file deleted behind the program's back comes back with the mode it had.
  const unsigned modeIfNew = !switching && m_disk.exists ? m_disk.mode : 0;
  const DocumentError error = m_doc->Save(
      file,
      [this, &file](const std::string& target) {
        // The old file is kept once a session, and again whenever what is about to be
        // written over is not what this session read or wrote last (changed outside).
        const std::string key = BackupStore::KeyOf(target);
        if (m_backedUp.count(key) > 0 && file == m_file && m_disk.exists && ContentHash(file) == m_disk.hash)
          return true;
        if (!BackupStore().Backup(target, m_doc->Clock().Now())) return false;
        m_backedUp.insert(key);
        return true;
      },
      modeIfNew);
  if (error == DocumentError::None) {
    if (switching) {
      m_lock = std::move(other);
      m_file = file;
      const std::string::size_type slash = file.rfind('/');
      m_title = NameOf(slash == std::string::npos ? file : file.substr(slash + 1));
    }
    m_disk = Observe(m_file, true);
  }
  return error;
}

DocumentError DocumentSession::SaveNew(const std::string& file) {
  if (!m_lock.IsLocked()) return DocumentError::Save;
  const DocumentError error = m_doc->SaveNew(file);
  if (error == DocumentError::None) {
    m_file = file;
    m_disk = Observe(m_file, true);
  }
  return error;
}

}  // namespace qt
