#pragma once
// Plain UTF-8 resource files of the host: message catalogs ("<name>.catalog") and dialog
// resources ("<DialogClass>.labels"), both made of lines
//     Key = text to the end of the line
//     Key = "text whose leading and trailing blanks count"
// with '#' comment lines, blank lines, and the escapes \n \t \\ \" in values.
// Files are found along the resource path: VEX_RESOURCE_PATH (folders separated by ':'), else the
// folders the build configured.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class VexResourceFile {
 public:
  /// Parses `path`. Lines that are not entries are reported in GetProblems() and skipped.
  static VexResourceFile Parse(const std::filesystem::path& path);
  /// The parsed file called `fileName` on the resource path, or null when no folder has it.
  /// Parsed files are kept and re-read only when the file changes on disk.
  static std::shared_ptr<const VexResourceFile> Load(const std::string& fileName);

  /// The folders searched, in order.
  static std::vector<std::filesystem::path> SearchPath();
  /// Replaces the resource path (the host program points it at installed resources).
  static void SetSearchPath(const std::string& colonSeparatedFolders);

  std::optional<std::string> Find(const std::string& key) const;
  const std::map<std::string, std::string>& Entries() const { return entries_; }
  const std::vector<std::string>& GetProblems() const { return problems_; }
  const std::filesystem::path& GetPath() const { return path_; }

 private:
  std::filesystem::path path_;
  std::map<std::string, std::string> entries_;
  std::vector<std::string> problems_;
};
