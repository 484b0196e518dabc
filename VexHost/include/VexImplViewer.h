#pragma once
// The viewer side of a navigation box's container: its graph drawing.

#include "VexBaseUnknown.h"

class VexGraph;

class VexImplViewer : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexImplViewer);
  virtual VexGraph* GetGraph() = 0;
};
VEX_DEFINE_INTERFACE(VexImplViewer);
