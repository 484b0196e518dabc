#pragma once
// Text results that EDSA writes beside the master file, "<master base>.txr": UTF-8 lines,
//
//     # comment lines start with '#'; blank lines are skipped
//     [BUS1]                      a section: the results of node BUS1
//     Voltage = 0.982 pu          its result lines, shown as they are, in file order
//     Angle = -2.41 deg
//     [BUS1->BUS2]                a branch, by its identifier from "->" to
//     Current = 212.4 A
//
// A section named again continues the same identifier. A section without result lines gives the
// identifier no results. A result line before the first section, a '[' line without its ']' and
// an empty name make the file malformed. A missing file, the normal state before any analysis,
// gives no results and one line on the "GRDSRV" trace channel; a malformed one raises the input
// error "ResultFileMalformed" (severity 2) naming the file and the line.

#include <string>
#include <unordered_map>
#include <vector>

#include "VexList.h"
#include "VexUnicodeString.h"

class VexGrdTextResultFile {
 public:
  /// No results.
  VexGrdTextResultFile() = default;
  /// Reads `path`.
  static VexGrdTextResultFile Read(const VexUnicodeString& path);

  /// The identifiers that have result lines, in the order their first section appears.
  VexListValVexUnicodeString GetIdentifiers() const;
  /// The result lines of `id` in file order; empty when it has none.
  VexListValVexUnicodeString GetLines(const VexUnicodeString& id) const;

 private:
  std::vector<VexUnicodeString> identifiers_;
  std::unordered_map<VexUnicodeString, VexListValVexUnicodeString> lines_;
};
