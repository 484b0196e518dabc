#pragma once
// One session per plant document: an advisory lock (flock) on "<document>.lock" beside the
// document, held from open to close. A lock file and not a lock on the database file itself,
// because an fcntl lock on the database would cancel SQLite's own locks on it. The kernel drops the
// lock when its holder dies, so a killed session never blocks the next one; a clean close also
// removes the file.

#include <memory>
#include <string>

#include "VexUnicodeString.h"

class VexDocumentLock {
 public:
  /// Takes the lock of the document at `documentPath`. Another session holding it is an input
  /// error ("DocumentInUse") naming the document; a folder where the lock file cannot be made is
  /// one too ("DocumentFolderReadOnly", "DocumentCannotOpen").
  static std::unique_ptr<VexDocumentLock> Acquire(const VexUnicodeString& documentPath);
  /// Removes the lock file and releases the lock.
  ~VexDocumentLock();
  VexDocumentLock(const VexDocumentLock&) = delete;
  VexDocumentLock& operator=(const VexDocumentLock&) = delete;

  /// "<document>.lock", beside the document that links lead to.
  static std::string LockPathOf(const VexUnicodeString& documentPath);

 private:
  VexDocumentLock(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}

  std::string path_;
  int fd_;
};
