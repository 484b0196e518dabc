#pragma once
// The unit codes that branches carry, each kept once for the whole program.
//
// A network uses a handful of unit codes (most branches have none) across a million branches; a
// branch keeps the small number of its code here instead of a string of its own, 28 bytes less
// per branch. Codes are never forgotten, so a number stays valid for as long as the program runs,
// also in branches that outlive their model.
#include <cstdint>

#include "VexUnicodeString.h"

class VexGrdUnitCodes {
 public:
  /// The number of `unitCode`, given it on first sight; the empty code is 0. Thread-safe.
  static std::uint32_t Intern(const VexUnicodeString& unitCode);
  static std::uint32_t Intern(std::string_view unitCode);
  /// The unit code numbered `number` by Intern.
  static const VexUnicodeString& Of(std::uint32_t number);
};
