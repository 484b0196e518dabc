#pragma once
// The input error of the workbench's utilities: a problem with what the user or the machine gave
// (no master file, a missing EDSA program, a file that cannot be written). Its texts live in the
// catalog "VexGrdUtilitiesErrMsgCat", so the module shows them like any host input error.

#include <vector>

#include "VexError.h"

/// The utilities' message catalog.
inline constexpr const char* kVexGrdUtilitiesCatalog = "VexGrdUtilitiesErrMsgCat";

class VexGrdUtilitiesInputErr : public VexInputError {
 public:
  /// An input error of `severity` whose text is `key` of `catalog` ("InvalidInput" of the
  /// utilities' catalog unless told otherwise).
  explicit VexGrdUtilitiesInputErr(int severity, VexString key = "InvalidInput",
                                   VexString catalog = kVexGrdUtilitiesCatalog);
  /// An input error of `severity` with the text `key` of the utilities' catalog, whose {0}, {1},
  /// ... are filled by `parameters`.
  VexGrdUtilitiesInputErr(int severity, VexString key, std::vector<VexUnicodeString> parameters);
};
