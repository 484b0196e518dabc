#pragma once
// A route element as the conduit computations see it: plain data taken from a conduit or tray.

#include <vector>

#include "VexUnicodeString.h"

/// A point of the plant, in millimetres.
struct VexGrdPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

struct VexGrdRouteElement {
  VexUnicodeString name;
  std::vector<VexGrdPoint> points;  ///< the element's route, in millimetres
  double bendRadius = 0;            ///< its "BendRadius" in millimetres; 0 when not given
};
