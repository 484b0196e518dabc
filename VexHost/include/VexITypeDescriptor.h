#pragma once
// The type of a plant element as the host describes it ("Conduit 50 mm", "Motor 250 kW").

#include "VexBaseUnknown.h"
#include "VexUnicodeString.h"

class VexITypeDescriptor : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexITypeDescriptor);
  /// The type text shown to the user; may be empty.
  virtual VexUnicodeString GetTypeText() = 0;
};
VEX_DEFINE_INTERFACE(VexITypeDescriptor);
