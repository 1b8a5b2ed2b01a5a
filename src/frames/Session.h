#pragma once
// One open portfolio in the desktop program: the document, its file and the lock that
// keeps every other program (a second window of this one, kapibuch-cli) from changing the
// file while it is open here. The first save over an existing file in a session keeps a
// backup of the old file first.

#include <QString>
#include <memory>
#include <set>
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
  // Saves safely; on success the session belongs to the new path.
  DocumentError SaveAs(const QString& path);

 private:
  std::unique_ptr<CKapibuchDoc> m_doc;
  QString m_path;
  QString m_title;
  PortfolioLock m_lock;
  // The backup keys of the files already copied in this session.
  std::set<std::string> m_backedUp;
};
