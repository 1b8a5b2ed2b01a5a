#include "cli/ChangeSession.h"

#include <sys/stat.h>

#include <ostream>

#include "base/FileSaver.h"
#include "cli/DumpWriter.h"

namespace cli {

namespace {

constexpr const char* kBusy = "Die Datei wird gerade von einem anderen Programm bearbeitet.";

}  // namespace

ChangeSession::ChangeSession(const Context& ctx, std::string path) : m_ctx(ctx), m_path(std::move(path)) {}

int ChangeSession::Told(DocumentError error) const {
  m_ctx.err << DocumentErrorMessage(error) << '\n';
  return error == DocumentError::Save || error == DocumentError::Backup ? kUnwritable : kUnreadable;
}

int ChangeSession::Open() {
  DocumentError error = DocumentError::None;
  m_session =
      qt::DocumentSession::OpenFile(m_path, m_ctx.clock, qt::DocumentSession::kCommandLockWait, error);
  if (m_session) return kOk;
  if (error != DocumentError::None) return Told(error);
  m_ctx.err << kBusy << '\n';
  return kLocked;
}

int ChangeSession::OpenNew() {
  m_session = std::make_shared<qt::DocumentSession>(std::make_unique<CKapibuchDoc>(m_ctx.clock), QString(),
                                                    QString());
  // No lock beside the file (a folder without write permission): the checks still run,
  // and saving is refused.
  if (m_session->Lock(m_path, qt::DocumentSession::kCommandLockWait) == qt::PortfolioLock::Result::Busy) {
    m_ctx.err << kBusy << '\n';
    return kLocked;
  }
  struct stat st {};
  if (::lstat(m_path.c_str(), &st) == 0) {
    m_ctx.err << "Die Datei " << m_path << " existiert bereits und wird nicht überschrieben.\n";
    return kUnwritable;
  }
  return kOk;
}

int ChangeSession::Commit(bool changed) {
  if (m_ctx.dryRun) {
    if (!m_session->IsLocked() || FileSaver(m_path).Check() != FileSaver::Status::Ok)
      return Told(DocumentError::Save);
    WriteDump(m_ctx.out, m_session->Doc());
    return kOk;
  }
  if (!changed) return kOk;  // the file stays as it is
  const DocumentError error = m_session->IsLocked() ? m_session->SaveAs(m_path) : DocumentError::Save;
  return error == DocumentError::None ? kOk : Told(error);
}

int ChangeSession::CommitNew() {
  if (m_ctx.dryRun) {
    if (!m_session->IsLocked() || FileSaver(m_path).CheckNew() != FileSaver::Status::Ok)
      return Told(DocumentError::Save);
    WriteDump(m_ctx.out, m_session->Doc());
    return kOk;
  }
  const DocumentError error = m_session->SaveNew(m_path);
  return error == DocumentError::None ? kOk : Told(error);
}

}  // namespace cli
