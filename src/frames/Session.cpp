#include "frames/Session.h"

#include <QFileInfo>

DocumentSession::DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title)
    : m_doc(std::move(doc)), m_path(std::move(path)), m_title(std::move(title)) {}

DocumentSession::~DocumentSession() = default;

namespace {

// The lock of a file, or nothing when another program holds it. A lock left by a program
// that died is taken over.
std::unique_ptr<QLockFile> TakeLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (lock->tryLock(0)) return lock;
  if (lock->error() != QLockFile::LockFailedError || !lock->removeStaleLockFile() || !lock->tryLock(0))
    return nullptr;
  return lock;
}

}  // namespace

bool DocumentSession::Lock(const QString& path) {
  auto lock = TakeLock(path);
  if (!lock) return false;
  m_lock = std::move(lock);
  return true;
}

DocumentError DocumentSession::SaveAs(const QString& path) {
  if (path == m_path) return m_doc->Save(path.toStdString());
  // The file still open keeps its lock until the new one is saved.
  auto lock = TakeLock(path);
  if (!lock) return DocumentError::Save;
  const DocumentError error = m_doc->Save(path.toStdString());
  if (error != DocumentError::None) return error;
  m_lock = std::move(lock);
  m_path = path;
  m_title = QFileInfo(path).fileName();
  return error;
}
