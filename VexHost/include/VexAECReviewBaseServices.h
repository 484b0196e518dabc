#pragma once
// Turns objects into selectable paths for the selection sets.

#include "VexPathElement.h"

class VexAECReviewBaseServices {
 public:
  /// The path to `object`: `object` itself when it is a path already; null for a null object and
  /// for a plant element that is no longer in a document (deleted), which cannot be selected.
  static VexPathElement_var GetPathElement(VexBaseUnknown_var object);
};
