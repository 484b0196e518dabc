#pragma once
// A plant element as the electrical network sees it. Every plant element of the host offers it (an
// extension of the host kind "VexPlantElement"), and asking it for VexIAECElement gives back the
// very element object.

#include <memory>

#include "VexBaseUnknown.h"
#include "VexList.h"
#include "VexUnicodeString.h"

class VexIGrd3DComponent : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexIGrd3DComponent);
  /// Identifiers of the nodes linked to the element, in link order.
  virtual VexListValVexUnicodeString GetLinkedNodeIds() = 0;
  /// Identifiers ("from->to") of the branches linked to the element, in link order.
  virtual VexListValVexUnicodeString GetLinkedBranchIds() = 0;
};
VEX_DEFINE_INTERFACE(VexIGrd3DComponent);

using VexListValVexIGrd3DComponent_var = VexListVal<VexIGrd3DComponent_var>;
