#pragma once
// One open portfolio in the desktop program: the document, its file and the lock that
// keeps a second instance from editing the same file unnoticed.

#include <QLockFile>
#include <QString>
#include <memory>

#include "document/KapibuchDoc.h"

class DocumentSession {
 public:
  DocumentSession(std::unique_ptr<CKapibuchDoc> doc, QString path, QString title);
  ~DocumentSession();

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
  std::unique_ptr<QLockFile> m_lock;
};
