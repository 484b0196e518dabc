#include "VexGrdPathServices.h"

#include <cstdlib>
#include <filesystem>

#include "VexGrdUtilitiesInputErr.h"

namespace fs = std::filesystem;

namespace {

fs::path DefaultJobFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome && *dataHome) return fs::path(dataHome) / "voltaria" / "jobs";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "share" / "voltaria" / "jobs";
}

VexUnicodeString WithSeparator(const fs::path& folder) {
  std::string text = folder.string();
  if (text.empty() || text.back() != '/') text += '/';
  return VexUnicodeString(text);
}

}  // namespace

VexUnicodeString VexGrdPathServices::SplitPath(const VexUnicodeString& path,
                                               VexUnicodeString* directory,
                                               VexUnicodeString* baseName) {
  const std::string& text = path.str();
  std::size_t slash = text.rfind('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string fileName = text.substr(nameStart);
  std::size_t dot = fileName.rfind('.');
  if (dot == 0) dot = std::string::npos;

  if (directory) *directory = VexUnicodeString(text.substr(0, nameStart));
  if (baseName) *baseName = VexUnicodeString(fileName.substr(0, dot));
  return dot == std::string::npos ? VexUnicodeString() : VexUnicodeString(fileName.substr(dot));
}

VexUnicodeString VexGrdPathServices::GetUserJobFileLocation(
    const VexUnicodeString& masterFilePath) {
  fs::path folder = DefaultJobFolder();
  if (!masterFilePath.IsEmpty()) {
    VexUnicodeString masterFolder;
    SplitPath(masterFilePath, &masterFolder, nullptr);
    folder = masterFolder.IsEmpty() ? fs::current_path() : fs::path(masterFolder.str());
  }
  std::error_code error;
  fs::create_directories(folder, error);
  if (!fs::is_directory(folder, error)) {
    throw VexGrdUtilitiesInputErr(2, "JobFolderNotWritable", {VexUnicodeString(folder.string())});
  }
  return WithSeparator(folder);
}
