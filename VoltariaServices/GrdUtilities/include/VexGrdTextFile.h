#pragma once
// Reading and writing the services' small text files (master file, job and segment files).

#include <optional>
#include <string>
#include <vector>

class VexGrdTextFile {
 public:
  /// The lines of `path` without their line ends (LF or CR LF); nothing when it cannot be read.
  static std::optional<std::vector<std::string>> ReadLines(const std::string& path);

  /// Replaces `path` by `text` atomically: a temporary file in the same folder is written,
  /// synced and renamed over the old one, so a reader sees the old or the new file, never a mix.
  /// False when the file cannot be written (the old file is left as it was).
  static bool WriteAtomically(const std::string& path, const std::string& text);
};
