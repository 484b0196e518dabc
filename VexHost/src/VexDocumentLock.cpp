#include "VexDocumentLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "VexError.h"

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Refuse(const char* key, const VexUnicodeString& document,
                         const std::string& detail) {
  throw VexInputError(2, key, kVexHostCatalog, {document, VexUnicodeString(detail)});
}

// The holder writes its process number into the file; it is only shown, never trusted.
std::string HolderOf(int fd) {
  char text[32] = {};
  ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
  if (n <= 0) return "another process";
  std::string holder(text, static_cast<std::size_t>(n));
  if (holder.find_first_not_of("0123456789") != std::string::npos) return "another process";
  return "process " + holder;
}

// The file we locked may have been removed by its previous holder between our open and our
// lock; then the lock guards nothing and the name must be opened again.
bool StillNamedBy(int fd, const std::string& path) {
  struct stat held {}, named {};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

std::string VexDocumentLock::LockPathOf(const VexUnicodeString& documentPath) {
  std::error_code error;
  fs::path document = fs::weakly_canonical(fs::path(documentPath.str()), error);
  if (error) document = fs::absolute(fs::path(documentPath.str()), error);
  return document.string() + ".lock";
}

std::unique_ptr<VexDocumentLock> VexDocumentLock::Acquire(const VexUnicodeString& documentPath) {
  const std::string path = LockPathOf(documentPath);
  for (;;) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
      const int reason = errno;
      if (reason == EACCES || reason == EROFS || reason == EPERM) {
        Refuse("DocumentFolderReadOnly", documentPath, fs::path(path).parent_path().string());
      }
      Refuse("DocumentCannotOpen", documentPath, path + ": " + std::strerror(reason));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int reason = errno;
      std::string holder = HolderOf(fd);
      ::close(fd);
      if (reason == EWOULDBLOCK) Refuse("DocumentInUse", documentPath, holder);
      Refuse("DocumentCannotOpen", documentPath, path + ": " + std::strerror(reason));
    }
    if (!StillNamedBy(fd, path)) {
      ::close(fd);
      continue;
    }
    // The number is only shown to a second session; the lock holds without it.
    const std::string pid = std::to_string(::getpid());
    [[maybe_unused]] const bool recorded =
        ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) > 0;
    return std::unique_ptr<VexDocumentLock>(new VexDocumentLock(path, fd));
  }
}

VexDocumentLock::~VexDocumentLock() {
  // Removed while still held, so no other session can lock a name that is about to vanish.
  ::unlink(path_.c_str());
  ::close(fd_);
}
