// Stand-in for the EDSA programs, which are not on this machine. It ONLY RECORDS RUNS: it computes
// nothing, reads no input and writes no result. Installed under every EDSA program name in a
// stand-in EDSA folder, each run appends one line to "edsa-runs.log" beside the master file named
// among its arguments (a .mas, .mps, .mds or .mss file), else in the program's own folder:
//
//     <program name> TAB <argument 1> TAB ... TAB <argument n> TAB <time, UTC, ISO 8601>
//
// and exits 0. The line is appended with one write, so runs that overlap do not mix their lines.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

bool IsMasterFile(const std::string& argument) {
  std::string extension = fs::path(argument).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".mas" || extension == ".mps" || extension == ".mds" ||
         extension == ".mss";
}

fs::path LogFolder(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (IsMasterFile(argv[i])) return fs::path(argv[i]).parent_path();
  }
  return fs::path(argv[0]).parent_path();
}

std::string UtcNow() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  ::gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::string line = fs::path(argv[0]).filename().string();
  for (int i = 1; i < argc; ++i) line += std::string("\t") + argv[i];
  line += "\t" + UtcNow() + "\n";

  fs::path log = LogFolder(argc, argv) / "edsa-runs.log";
  int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return 1;
  bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
  ::close(fd);
  return written ? 0 : 1;
}
