#pragma once
// The host's dictionary of magnitudes. It knows "LENGTH" (base unit the metre; units mm, cm, m,
// km, in, ft, yd, mi), whose display unit is the preference "LengthUnit" of the settings
// repository "VoltariaPreferences" ("m" while none is stored).

#include "VexICkeMagnitude.h"

class VexParmDictionary {
 public:
  static constexpr const char* kPreferences = "VoltariaPreferences";

  /// The magnitude called `name`; null for a name the host does not know.
  static VexICkeMagnitude_var FindMagnitude(const char* name);
  /// Makes `symbol` the display unit of the magnitude `name` and saves the preference. An unknown
  /// magnitude or symbol is refused with a VexInputError that names it.
  static void SetCurrentUnit(const char* name, const char* symbol);
};
