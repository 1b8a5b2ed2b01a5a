#pragma once
// A portfolio file that a command of kapibuch-cli changes, through the session the desktop
// program uses too (qt/DocumentSession): the file's lock is taken before the file is read
// and held until it is saved, so a command that exits 0 has its change in the file and any
// other changed nothing. The save keeps a backup of the old file first. With --dry-run
// every check runs, the document as it would be afterwards is printed as `dump` prints it,
// and nothing is written. What the desktop program asks in a dialog is told here as a
// message and an exit status.

#include <memory>
#include <string>

#include "cli/Cli.h"
#include "qt/DocumentSession.h"

namespace cli {

class ChangeSession {
 public:
  ChangeSession(const Context& ctx, std::string path);

  // Takes the lock and reads the file; on failure prints the message and gives the exit
  // status (kOk on success).
  int Open();
  // For a file to be made: takes the lock and makes sure nothing has the name yet.
  int OpenNew();
  CKapibuchDoc& Doc() { return m_session->Doc(); }

  // After the change: saves when something changed, or for a dry run checks that the file
  // could be written and prints the document. Gives the exit status.
  int Commit(bool changed = true);
  // The same for the document of a new file (Doc() after OpenNew).
  int CommitNew();

 private:
  int Told(DocumentError error) const;

  const Context& m_ctx;
  std::string m_path;
  std::shared_ptr<qt::DocumentSession> m_session;
};

}  // namespace cli
