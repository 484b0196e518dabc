#pragma once
// The host's search-object view of a selected thing: the object it stands for, and that object's
// interfaces by identifier (IID_VexIGrdNavigate of a later library, for example).

#include "VexBaseUnknown.h"

class VexISearchObject : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexISearchObject);
  /// The object searched for (the leaf of a path); never null.
  virtual VexBaseUnknown_var GetSearchedObject() = 0;
  /// The searched object seen through `iid` (itself or one of its extensions), or null when it
  /// does not offer that interface.
  virtual VexBaseUnknown_var QueryLeafInterface(const VexIID& iid) = 0;
};
VEX_DEFINE_INTERFACE(VexISearchObject);
