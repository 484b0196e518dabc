#pragma once
// The EDSA master file as the services write and read it: a small UTF-8 text, one entry a line.
//
//     EDSA-MASTER 1                       first line: format and version
//     NetworkType=3P                      "3P", "DC" or "1X"
//     Node=BUS1                           EDSA data made for node BUS1
//     Branch=BUS1,BUS2                    EDSA data made for the branch from BUS1 to BUS2
//     BranchLength=BUS1,BUS2,2.5,MT       its length and EDSA unit code ("FT", "KM" or "MT")
//
// Each node, branch and branch length appears once: recording it again changes nothing (a new
// length replaces the old line in place). Lines the services do not know, EDSA's own among them,
// are kept byte for byte, and every line keeps its end (LF, CR LF or none for a last line); new
// lines take the end of the file's first line. Identifiers are recorded as given; they may not be empty nor hold a comma
// or a line break. Without a NetworkType line the extension tells the type: .mas 3P, .mds DC,
// .mss and .mps 1X (letter case ignored).

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "VexUnicodeString.h"

class VexGrdMasterFile {
 public:
  static constexpr const char* kHeader = "EDSA-MASTER 1";

  /// The network type of a master file extension (".mas" ...) or of a type ("3P", "DC", "1X");
  /// empty when `extensionOrType` is neither.
  static VexUnicodeString NetworkTypeOf(const VexUnicodeString& extensionOrType);

  /// Writes a new master file at `path` recording the network type of `extensionOrType` (of the
  /// path's own extension when empty). It replaces nothing: an existing file is a
  /// VexGrdUtilitiesInputErr ("MasterFileExists", "MasterFileNotRegular" for a folder, a FIFO or
  /// a device); so are an unknown type and a file that cannot be written.
  static void Create(const VexUnicodeString& path, const VexUnicodeString& extensionOrType);

  /// Reads the master file at `path`; a file that is missing, unreadable or not a regular file
  /// is a VexGrdUtilitiesInputErr ("MasterFileMissing").
  explicit VexGrdMasterFile(const VexUnicodeString& path);

  /// The type the file records, else the type of its extension, else empty.
  VexUnicodeString GetNetworkType() const;

  bool HasNode(const VexUnicodeString& id) const;
  bool HasBranch(const VexUnicodeString& from, const VexUnicodeString& to) const;
  /// The recorded length and unit code of a branch.
  std::optional<std::pair<double, VexUnicodeString>> GetBranchLength(
      const VexUnicodeString& from, const VexUnicodeString& to) const;

  /// Records a node; false when it was recorded already.
  bool AddNode(const VexUnicodeString& id);
  /// Records a branch; false when it was recorded already.
  bool AddBranch(const VexUnicodeString& from, const VexUnicodeString& to);
  /// Records (or replaces) the length of a branch, recording the branch too.
  void SetBranchLength(const VexUnicodeString& from, const VexUnicodeString& to, double length,
                       const VexUnicodeString& unitCode);

  /// Writes the file back atomically; a file that cannot be written is a
  /// VexGrdUtilitiesInputErr ("MasterFileNotWritable").
  void Save() const;

 private:
  void Parse();
  void AppendLine(const std::string& line);
  /// The end of a stored line: "\r\n", "\n" or "" (a last line without one).
  static std::string LineEnd(const std::string& line);
  static std::string Content(const std::string& line);
  static std::string BranchKey(const VexUnicodeString& from, const VexUnicodeString& to);

  std::string path_;
  std::vector<std::string> lines_;  // each with its own line end
  std::string newLine_ = "\n";
  std::string networkType_;
  std::unordered_set<std::string> nodes_;
  std::unordered_set<std::string> branches_;
  std::unordered_map<std::string, std::size_t> lengthLines_;  // branch key -> line index
};
