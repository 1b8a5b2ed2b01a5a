#include "frames/Session.h"

#include <QFileInfo>

DocumentSession::DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title)
    : m_doc(std::move(doc)), m_path(std::move(path)), m_title(std::move(title)) {}

DocumentSession::~DocumentSession() = default;

bool DocumentSession::Lock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    // A lock left by a program that died is taken over.
    if (lock->error() != QLockFile::LockFailedError || !lock->removeStaleLockFile() || !lock->tryLock(0))
      return false;
  }
  m_lock = std::move(lock);
  return true;
}

DocumentError DocumentSession::SaveAs(const QString& path) {
  if (path != m_path && !Lock(path)) return DocumentError::Save;
  const DocumentError error = m_doc->Save(path.toStdString());
  if (error == DocumentError::None && path != m_path) {
    m_path = path;
    m_title = QFileInfo(path).fileName();
  }
  return error;
}
