#include "VexPlantModelReader.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "VexError.h"
#include "VexPlantText.h"

extern char** environ;

namespace {

constexpr const char* kCatalog = "VexImportMsgCatalog";

VexUnicodeString& ReaderProgram() {
  static VexUnicodeString program = VEX_DEFAULT_MODEL_READER;
  return program;
}

[[noreturn]] void Refuse(const char* key, const VexUnicodeString& path, const std::string& why) {
  throw VexInputError(2, key, kCatalog, {path, VexUnicodeString(why)});
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

std::string ReadWhole(const VexUnicodeString& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path.str(), error)) {
    Refuse("ImportFileUnreadable", path, std::filesystem::exists(path.str(), error)
                                             ? "it is not a regular file"
                                             : "there is no such file");
  }
  std::ifstream in(path.str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) Refuse("ImportFileUnreadable", path, std::strerror(errno));
  return std::move(bytes).str();
}

// The child's two outputs are read side by side, so that neither can fill its pipe and stall it.
class ReaderChild {
 public:
  ReaderChild(const VexUnicodeString& model, const VexPlantModelReader::Progress& progress)
      : model_(model), progress_(progress) {}

  std::string Run() {
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) Fail(std::strerror(errno));
    FileDescriptor outRead(out[0]), outWrite(out[1]);
    if (::pipe2(err, O_CLOEXEC) != 0) Fail(std::strerror(errno));
    FileDescriptor errRead(err[0]), errWrite(err[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outWrite.Get(), 1);
    posix_spawn_file_actions_adddup2(&actions, errWrite.Get(), 2);
    std::string program = ReaderProgram().str();
    std::string file = model_.str();
    std::array<char*, 3> argv = {program.data(), file.data(), nullptr};
    pid_t child = 0;
    int error = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) Fail("cannot be started (" + program + ": " + std::strerror(error) + ")");
    outWrite.Close();
    errWrite.Close();

    Drain(outRead.Get(), errRead.Get());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status)) Fail("stopped with signal " + std::to_string(WTERMSIG(status)));
    if (WEXITSTATUS(status) != 0) {
      std::string why = problem_.empty() ? "failed with status " + std::to_string(WEXITSTATUS(status)) : problem_;
      Refuse("ImportModelRefused", model_, why);
    }
    return std::move(output_);
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw VexInputError(2, "ImportReaderFailed", kCatalog, {model_, VexUnicodeString(why)});
  }

  void Drain(int outFd, int errFd) {
    std::array<pollfd, 2> fds = {{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
    std::array<char, 65536> buffer;
    int open = 2;
    while (open > 0) {
      if (::poll(fds.data(), fds.size(), -1) < 0) {
        if (errno == EINTR) continue;
        Fail(std::strerror(errno));
      }
      for (pollfd& fd : fds) {
        if (fd.fd < 0 || !(fd.revents & (POLLIN | POLLHUP | POLLERR))) continue;
        ssize_t got = ::read(fd.fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
          fd.fd = -1;
          --open;
        } else if (fd.fd == outFd) {
          output_.append(buffer.data(), static_cast<std::size_t>(got));
        } else {
          TakeMessages(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        }
      }
    }
    if (!pending_.empty()) TakeLine(pending_);
  }

  void TakeMessages(std::string_view bytes) {
    pending_.append(bytes);
    for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      TakeLine(pending_.substr(0, end));
      pending_.erase(0, end + 1);
    }
  }

  // "progress <stage>" lines report progress; any other line says what went wrong.
  void TakeLine(const std::string& line) {
    static const std::string kProgress = "progress ";
    if (line.compare(0, kProgress.size(), kProgress) == 0) {
      if (progress_) progress_(line.substr(kProgress.size()));
    } else if (!line.empty() && problem_.size() < 4096) {
      problem_ += (problem_.empty() ? "" : " ") + line;
    }
  }

  VexUnicodeString model_;
  const VexPlantModelReader::Progress& progress_;
  std::string output_;
  std::string pending_;
  std::string problem_;
};

bool HasIfcExtension(const VexUnicodeString& path) {
  std::string extension = std::filesystem::path(path.str()).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".ifc";
}

}  // namespace

bool VexPlantModelReader::IsStepFile(std::string_view head) {
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  std::size_t start = head.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && head.substr(start, 13) == "ISO-10303-21;";
}

VexPlantModel VexPlantModelReader::Read(const VexUnicodeString& path, const Progress& progress) {
  std::string bytes = ReadWhole(path);
  if (IsStepFile(std::string_view(bytes).substr(0, 256)) || HasIfcExtension(path)) {
    bytes.clear();
    bytes.shrink_to_fit();
    if (progress) progress("reading the IFC model in the model reader");
    std::string text = ReaderChild(path, progress).Run();
    if (progress) progress("taking the plant elements");
    // What the child wrote is our own format; a fault in it is the reader's, named as such.
    return VexReadPlantText(text, VexUnicodeString(path.str() + " (as the model reader wrote it)"));
  }
  if (progress) progress("reading the plant text");
  return VexReadPlantText(bytes, path);
}

void VexPlantModelReader::SetReaderProgram(const VexUnicodeString& program) { ReaderProgram() = program; }

VexUnicodeString VexPlantModelReader::GetReaderProgram() { return ReaderProgram(); }
