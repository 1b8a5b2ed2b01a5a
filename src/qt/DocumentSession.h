#pragma once
// One open portfolio in the desktop program: the document, its file and the lock that
// keeps every other program (a second window of this one, kapibuch-cli) from changing the
// file while it is open here. It remembers the file as it was opened or last saved, so that
// a file changed, replaced or deleted behind the program's back is never written over
// without a question. The first save of a session over a file keeps a backup of it, and so
// does every save over a file that is no longer what this session read or wrote.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <future>
#include <set>
#include <memory>
#include <string>

#include "document/KapibuchDoc.h"
#include "qt/PortfolioLock.h"

class DocumentSession {
 public:
  DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title);
  ~DocumentSession();

  // Takes the file's lock, then reads it. Null with error None when another program holds
  // the lock; null with the error when the file cannot be read.
  static std::shared_ptr<DocumentSession> OpenFile(const QString& path, const platform::Clock& clock,
                                                   DocumentError& error);

  CKapibuchDoc& Doc() { return *m_doc; }
  const QString& Path() const { return m_path; }
  // "Depot1" for a new file, else the file name.
  const QString& Title() const { return m_title; }

  // Takes the lock of a file; false when another program holds it.
  bool Lock(const QString& path);
  // Whether the file at Path() is no longer the one opened or last saved here: deleted,
  // replaced, or changed in size or content (a new time alone is no change).
  bool ChangedOutside() const;
  // Saves safely; on success the session belongs to the new path.
  DocumentError SaveAs(const QString& path);

  // The recovery copy (document/RecoveryStore): written in the background when the document
  // has changed since the last copy, removed once it is saved or back at its saved state.
  // A write still running is left to finish. Called every 2 seconds.
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
  static DiskFile Observe(const QString& path, bool withHash);

 private:
  std::unique_ptr<CKapibuchDoc> m_doc;
  QString m_path;
  QString m_title;
  PortfolioLock m_lock;
  DiskFile m_disk;  // the file at m_path as opened or last saved
  // What the recovery copy belongs to: the path, or the title of a document never saved.
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
