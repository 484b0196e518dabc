#pragma once
// An object of the electrical network shown in a navigation graph: a node, a branch or a plant
// element. Its neighbours are what it connects to:
//   a node:          the branches that start or end at it (creation order), then its elements;
//   a branch:        its from and to nodes (those the model holds), then its elements;
//   a plant element: the nodes, then the branches it is linked to (link order).

#include <memory>

#include "VexINavigateObject.h"

class VexIGrdNavigate : public VexINavigateObject {
 public:
  VEX_DECLARE_INTERFACE(VexIGrdNavigate);
  /// A new list of the neighbours (see above); the caller owns it.
  virtual std::unique_ptr<VexListVal<VexVar<VexIGrdNavigate>>> GetNeighbours() = 0;
  /// The object it was last told it is shown under (SetNavigationParent), or null.
  virtual VexBaseUnknown_var GetNavigationParent() = 0;
  /// The object that implements it: the node or branch itself, or the plant element.
  virtual VexBaseUnknown_var GetImpl(int mode) = 0;
};
VEX_DEFINE_INTERFACE(VexIGrdNavigate);

using VexListValVexIGrdNavigate_var = VexListVal<VexIGrdNavigate_var>;
