#pragma once
// A node of the electrical network.

#include <memory>

#include "VexIGrd3DComponent.h"

class VexIGrdNode : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexIGrdNode);
  /// The node's identifier (EDSA bus name).
  virtual VexUnicodeString GetNodeId() = 0;
  /// A new list of the plant elements linked to the node, in link order; the caller owns it.
  virtual std::unique_ptr<VexListValVexIGrd3DComponent_var> GetLinkedComponents() = 0;
};
VEX_DEFINE_INTERFACE(VexIGrdNode);

using VexListValVexIGrdNode_var = VexListVal<VexIGrdNode_var>;
