#include "VexGrdTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "VexFileServices.h"

std::optional<std::string> VexGrdTextFile::ReadBytes(const std::string& path) {
  return VexReadRegularFile(path);
}

std::vector<std::string> VexGrdTextFile::SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    lines.push_back(bytes.substr(start, next - start));
    start = next;
  }
  return lines;
}

std::optional<std::vector<std::string>> VexGrdTextFile::ReadLines(const std::string& path) {
  auto bytes = ReadBytes(path);
  if (!bytes) return std::nullopt;
  std::vector<std::string> lines = SplitLines(*bytes);
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

namespace {

bool WriteAll(int fd, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

void SyncFolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool VexGrdTextFile::WriteAtomically(const std::string& path, const std::string& text) {
  // A link is followed, so that the file it names is replaced and the link stays; the file keeps
  // its permissions.
  std::string target = path;
  mode_t mode = 0644;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return false;
    mode = info.st_mode & 07777;
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::canonical(path, error);
    if (!error) target = resolved.string();
  }
  std::string temporary = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  bool complete = WriteAll(fd, text) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  complete = (::close(fd) == 0) && complete;
  if (!complete || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  SyncFolderOf(target);
  return true;
}
