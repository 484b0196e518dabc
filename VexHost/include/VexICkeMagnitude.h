#pragma once
// A physical magnitude ("LENGTH") with the unit the user wants values shown in.

#include "VexBaseUnknown.h"
#include "VexICkeUnit.h"

class VexICkeMagnitude : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexICkeMagnitude);
  virtual const char* GetName() const = 0;
  /// The user's current display unit; null when the preference names no known unit.
  virtual VexICkeUnit_var GetCurrentUnit() const = 0;
};
VEX_DEFINE_INTERFACE(VexICkeMagnitude);
