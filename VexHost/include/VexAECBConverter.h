#pragma once
// Reads the current editor's selection as objects of one interface.

#include <memory>

#include "VexBaseUnknown.h"

class VexAECBConverter {
 public:
  /// A new list of the selected objects (the leaves of path elements, or the objects themselves)
  /// that offer the interface named `interfaceName` ("VexIAECElement"), in selection order, each
  /// seen through that interface. Null when there is no current editor. A name that no loaded
  /// library defines is an internal error.
  std::unique_ptr<VexListValVexBaseUnknown_var> GetObjectsInCSO(const char* interfaceName) const;
};
