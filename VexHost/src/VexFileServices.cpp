#include "VexFileServices.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
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
