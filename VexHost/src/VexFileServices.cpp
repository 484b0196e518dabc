#include "VexFileServices.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

int VexFindPath(const char* fileName, const char* directory) {
  if (!fileName || !*fileName) return 0;
  std::string path = directory ? directory : "";
  if (!path.empty() && path.back() != '/') path += '/';
  path += fileName;
  struct stat info {};
  return (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ? 1 : 0;
}

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::optional<std::string> Fail(std::string* problem, std::string why) {
  if (problem) *problem = std::move(why);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> VexReadRegularFile(const std::filesystem::path& path,
                                              std::string* problem, std::size_t limit) {
  // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; the type is then decided on the
  // descriptor itself, so the file cannot be swapped between the check and the read.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) return Fail(problem, std::strerror(errno));
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return Fail(problem, std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return Fail(problem, "is not a regular file");
  if (static_cast<std::size_t>(info.st_size) > limit) {
    return Fail(problem, "is larger than " + std::to_string(limit) + " bytes");
  }
  std::string content;
  content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail(problem, std::strerror(errno));
    if (n == 0) break;
    if (content.size() + static_cast<std::size_t>(n) > limit) {
      return Fail(problem, "is larger than " + std::to_string(limit) + " bytes");
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  return content;
}

int VexGetRealPath(const VexUnicodeString& path, VexUnicodeString& realPath) {
  if (path.IsEmpty()) return -1;
  char resolved[PATH_MAX];
  if (!::realpath(path.CastToCharPtr(), resolved)) return -1;
  realPath = VexUnicodeString(resolved);
  return 0;
}

VexUnicodeString VexGetTempDirectory() {
  std::string folder = "/tmp";
  if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) folder = tmp;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return VexUnicodeString(folder);
}

std::filesystem::path VexUnusedTimeStampedPath(const std::filesystem::path& prefix) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::filesystem::path path = prefix;
  path += stamp;
  std::error_code error;
  for (int n = 2; std::filesystem::exists(path, error); ++n) {
    path = prefix;
    path += std::string(stamp) + "-" + std::to_string(n);
  }
  return path;
}
