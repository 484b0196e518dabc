#pragma once
// Reading and writing the services' small text files (master file, job and segment files).

#include <optional>
#include <string>
#include <vector>

class VexGrdTextFile {
 public:
  /// The lines of `path` without their line ends (LF or CR LF); nothing when it cannot be read
  /// or is not a regular file (a FIFO or a device is never waited on).
  static std::optional<std::vector<std::string>> ReadLines(const std::string& path);
  /// The bytes of `path` as they are, under the same conditions.
  static std::optional<std::string> ReadBytes(const std::string& path);
  /// `bytes` cut after each line feed: every line keeps its end ("\n", "\r\n"), the last one
  /// may have none, and joining the lines gives `bytes` back.
  static std::vector<std::string> SplitLines(const std::string& bytes);

  /// Replaces `path` by `text` atomically: a temporary file in the same folder is written,
  /// synced and renamed over the old one, so a reader sees the old or the new file, never a mix.
  /// False when the file cannot be written (the old file is left as it was).
  static bool WriteAtomically(const std::string& path, const std::string& text);
};
