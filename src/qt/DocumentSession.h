#pragma once
// One open portfolio, in the desktop program (for as long as a window shows it) and in
// kapibuch-cli (for one command): the document, its file and the lock that keeps every
// other program from changing the file meanwhile. Open, lock, backup, recovery copies, the
// check for a file changed behind the program's back, and saving are all here; the two
// programs differ only in how they ask (a dialog, or an exit status and a message) and in
// how long they wait for a lock another holds.
//
// It remembers the file as it was opened or last saved, so that a file changed, replaced or
// deleted behind the program's back is never written over without a question. The first
// save of a session over a file keeps a backup of it, and so does every save over a file
// that is no longer what this session read or wrote. Paths are kept as the bytes of the
// file name: a name that is not valid UTF-8 keeps its bytes.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <future>
#include <memory>
#include <set>
#include <string>

#include "document/KapibuchDoc.h"
#include "qt/PortfolioLock.h"

namespace qt {

class DocumentSession {
 public:
  // How long each program waits for a lock another program holds: a command of
  // kapibuch-cli holds it for a moment, worth a short wait in the desktop program; a
  // command waits longer for another command.
  static constexpr std::chrono::milliseconds kDesktopLockWait{2000};
  static constexpr std::chrono::milliseconds kCommandLockWait{5000};

  // A document that belongs to no file yet (`path` empty, titled like "Depot1"), or one
  // read from `path` by the caller.
  DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title);
  ~DocumentSession();

  // Takes the file's lock (waiting up to `wait`), then reads it. Null with error None when
  // another program holds the lock; null with the error when the file cannot be read. In a
  // folder where no lock can be made the file is read all the same; saving is refused there.
  static std::shared_ptr<DocumentSession> OpenFile(const std::string& file, const platform::Clock& clock,
                                                   std::chrono::milliseconds wait, DocumentError& error);
  static std::shared_ptr<DocumentSession> OpenFile(const QString& path, const platform::Clock& clock,
                                                   DocumentError& error) {
    return OpenFile(FileOf(path), clock, kDesktopLockWait, error);
  }

  CKapibuchDoc& Doc() { return *m_doc; }
  // The file's name as the desktop shows it; empty for a new document.
  QString Path() const { return NameOf(m_file); }
  // The file's name as its bytes.
  const std::string& File() const { return m_file; }
  // "Depot1" for a new file, else the file name.
  const QString& Title() const { return m_title; }

  // Takes the lock of a file; Busy when another program holds it.
  PortfolioLock::Result Lock(const std::string& file, std::chrono::milliseconds wait);
  bool Lock(const QString& path) {
    return Lock(FileOf(path), kDesktopLockWait) == PortfolioLock::Result::Locked;
  }
  bool IsLocked() const { return m_lock.IsLocked(); }
  // Whether the file is no longer the one opened or last saved here: deleted, replaced, or
  // changed in size or content (a new time alone is no change).
  bool ChangedOutside() const;
  // Saves safely; on success the session belongs to the new file.
  DocumentError SaveAs(const std::string& file);
  DocumentError SaveAs(const QString& path) { return SaveAs(FileOf(path)); }
  // Writes the document as a new file under the name this session holds the lock of;
  // refused when the name is taken.
  DocumentError SaveNew(const std::string& file);

  // The recovery copy (document/RecoveryStore): written in the background when the document
  // has changed since the last copy, removed once it is saved or back at its saved state.
  // A write still running is left to finish. Called every 2 seconds. Only for a document
  // that keeps its undo history (its states are what the copy is written from).
  void KeepRecoveryCopy();
  // Writes the copy of a modified document and waits for it (the program is ending).
  void WriteRecoveryCopyNow();
  // Takes the recovered state of the file in place of what was read from it: modified,
  // until saved. Only before a window shows the document.
  void Recover(std::unique_ptr<CKapibuchDoc> doc);
  // Gives up the file's lock (the program is ending).
  void ReleaseLock() { m_lock.Release(); }

  // What is known of a file on disk: which file it is, and its content's hash.
  struct DiskFile {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long mtimeSeconds = 0, mtimeNanoseconds = 0;
    unsigned mode = 0;
    QByteArray hash;  // SHA-256 of the content
  };
  static DiskFile Observe(const std::string& file, bool withHash);

  // A name typed or chosen in the desktop program as the bytes of the file name, and back.
  static std::string FileOf(const QString& path);
  static QString NameOf(const std::string& file);

 private:
  std::unique_ptr<CKapibuchDoc> m_doc;
  std::string m_file;
  QString m_title;
  PortfolioLock m_lock;
  mutable DiskFile m_disk;  // the file as opened or last saved
  // The hash of the file as opened, made on another thread: a large file opens without
  // waiting for it. Empty when the file changed while it was made (then it counts as
  // changed outside).
  mutable std::future<QByteArray> m_openedHash;
  void SettleHash() const;
  // What the recovery copy belongs to: the file, or the title of a document never saved.
  std::string RecoveryOrigin() const;
  void WaitForRecoveryWrite();
  bool m_hasRecoveryCopy = false;
  std::uint64_t m_recoveredChanges = 0;  // the document's Changes() when the copy was made
  std::future<bool> m_recoveryWrite;
  std::string m_recoveryWrittenFor;  // the origin of the copy written
  bool m_recoveryWrittenNew = false;
  // The backup keys of the files this session has kept a backup of.
  std::set<std::string> m_backedUp;
};

}  // namespace qt
