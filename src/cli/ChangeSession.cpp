#include "cli/ChangeSession.h"

#include <sys/stat.h>

#include <ctime>
#include <ostream>

#include "base/FileSaver.h"
#include "cli/DumpWriter.h"
#include "document/BackupStore.h"

namespace cli {

ChangeSession::ChangeSession(const Context& ctx, std::string path) : m_ctx(ctx), m_path(std::move(path)) {}

int ChangeSession::TakeLock() {
  switch (m_lock.Acquire(m_path, kLockWait)) {
    case PortfolioLock::Result::Locked:
      return kOk;
    case PortfolioLock::Result::Busy:
      m_ctx.err << "Die Datei wird gerade von einem anderen Programm bearbeitet.\n";
      return kLocked;
    case PortfolioLock::Result::Unavailable:
      // No lock beside the file (a folder without write permission): the file can still
      // be read and checked; saving is refused.
      return kOk;
  }
  return kOk;
}

int ChangeSession::Open() {
  // What is no regular file is refused before a lock file is made beside it (in /dev...).
  struct stat st {};
  if (::stat(m_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    m_ctx.err << DocumentErrorMessage(DocumentError::Open) << '\n';
    return kUnreadable;
  }
  if (const int status = TakeLock(); status != kOk) return status;
  return LoadDocument(m_ctx, m_path, m_doc);
}

int ChangeSession::OpenNew() {
  if (const int status = TakeLock(); status != kOk) return status;
  struct stat st {};
  if (::lstat(m_path.c_str(), &st) == 0) {
    m_ctx.err << "Die Datei " << m_path << " existiert bereits und wird nicht überschrieben.\n";
    return kUnwritable;
  }
  return kOk;
}

int ChangeSession::Commit(bool changed) {
  if (m_ctx.dryRun) {
    if (!m_lock.IsLocked() || FileSaver(m_path).Check() != FileSaver::Status::Ok) {
      m_ctx.err << DocumentErrorMessage(DocumentError::Save) << '\n';
      return kUnwritable;
    }
    WriteDump(m_ctx.out, *m_doc);
    return kOk;
  }
  if (!changed) return kOk;  // the file stays as it is
  DocumentError error = DocumentError::Save;
  if (m_lock.IsLocked()) {
    error = m_doc->Save(
        m_path, [](const std::string& file) { return BackupStore().Backup(file, std::time(nullptr)); });
  }
  if (error == DocumentError::None) return kOk;
  m_ctx.err << DocumentErrorMessage(error) << '\n';
  return kUnwritable;
}

int ChangeSession::CommitNew(CKapibuchDoc& doc) {
  if (m_ctx.dryRun) {
    if (!m_lock.IsLocked() || FileSaver(m_path).CheckNew() != FileSaver::Status::Ok) {
      m_ctx.err << DocumentErrorMessage(DocumentError::Save) << '\n';
      return kUnwritable;
    }
    WriteDump(m_ctx.out, doc);
    return kOk;
  }
  const DocumentError error = m_lock.IsLocked() ? doc.SaveNew(m_path) : DocumentError::Save;
  if (error == DocumentError::None) return kOk;
  m_ctx.err << DocumentErrorMessage(error) << '\n';
  return kUnwritable;
}

}  // namespace cli
