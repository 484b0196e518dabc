#pragma once
// Colour results that EDSA writes beside the master file, "<master base>.clr": UTF-8 lines,
//
//     # comment lines start with '#'; blank lines are skipped
//     BUS1 255 0 0                identifier, then red, green and blue from 0 to 255
//     BUS1->BUS2 0 128 255        a branch, by its identifier from "->" to
//
// separated by blanks or tabs. When an identifier is listed twice its last colour counts; the
// identifiers keep the order of their first line. A line without exactly four fields, or with a
// colour that is not a whole number from 0 to 255, makes the file malformed. A missing file gives
// no results and one line on the "GRDSRV" trace channel; a malformed one raises the input error
// "ResultFileMalformed" (severity 2) naming the file and the line.

#include <unordered_map>
#include <vector>

#include "VexList.h"
#include "VexUnicodeString.h"

/// One colour, each component from 0 to 255.
struct VexGrdRgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const VexGrdRgb&, const VexGrdRgb&) = default;
};

class VexGrdColorResultFile {
 public:
  /// No results.
  VexGrdColorResultFile() = default;
  /// Reads `path`.
  static VexGrdColorResultFile Read(const VexUnicodeString& path);

  /// The identifiers that have a colour, in the order of their first line.
  VexListValVexUnicodeString GetIdentifiers() const;
  /// The colour of `id`; false when it has none.
  bool GetColor(const VexUnicodeString& id, VexGrdRgb* color) const;

 private:
  std::vector<VexUnicodeString> identifiers_;
  std::unordered_map<VexUnicodeString, VexGrdRgb> colors_;
};
