#pragma once
// A unit of a magnitude: its symbol and the conversion from the magnitude's base unit.

#include "VexBaseUnknown.h"
#include "VexUnicodeString.h"

class VexICkeUnit : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexICkeUnit);
  /// The symbol: "mm", "cm", "m", "km", "in", "ft", "yd" or "mi" for lengths.
  virtual VexUnicodeString GetSymbol() const = 0;
  /// The value in this unit of `baseValue` given in the base unit (metres for lengths).
  virtual double ConvertFromBase(double baseValue) const = 0;
};
VEX_DEFINE_INTERFACE(VexICkeUnit);
