#include "frames/Session.h"

#include <QFileInfo>
#include <chrono>
#include <ctime>

#include "document/BackupStore.h"

namespace {

// A command of kapibuch-cli holds the lock for a moment: worth waiting for.
constexpr std::chrono::milliseconds kLockWait{2000};

}  // namespace

DocumentSession::DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title)
    : m_doc(std::move(doc)), m_path(std::move(path)), m_title(std::move(title)) {}

DocumentSession::~DocumentSession() = default;

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
  return session;
}

bool DocumentSession::Lock(const QString& path) {
  return m_lock.Acquire(path.toStdString(), kLockWait) == PortfolioLock::Result::Locked;
}

DocumentError DocumentSession::SaveAs(const QString& path) {
  // Saving under another name locks that file first; this file's lock stays until then.
  PortfolioLock other;
  const bool switching = path != m_path || !m_lock.IsLocked();
  if (switching && other.Acquire(path.toStdString(), kLockWait) != PortfolioLock::Result::Locked)
    return DocumentError::Save;
  const DocumentError error = m_doc->Save(path.toStdString(), [this](const std::string& file) {
    const std::string key = BackupStore::KeyOf(file);
    if (m_backedUp.count(key) > 0) return true;
    if (!BackupStore().Backup(file, std::time(nullptr))) return false;
    m_backedUp.insert(key);
    return true;
  });
  if (error == DocumentError::None && switching) {
    m_lock = std::move(other);
    m_path = path;
    m_title = QFileInfo(path).fileName();
  }
  return error;
}
