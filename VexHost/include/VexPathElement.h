#pragma once
// A selectable path to an object: what the selection sets hold for a picked plant element or a
// network object. The path ends at its leaf, the object itself.

#include "VexISearchObject.h"

class VexPathElement : public VexISearchObject {
 public:
  /// `leaf` must not be null.
  explicit VexPathElement(VexBaseUnknown_var leaf);

  const VexBaseUnknown_var& GetLeaf() const { return leaf_; }
  VexBaseUnknown_var GetSearchedObject() override { return leaf_; }
  VexBaseUnknown_var QueryLeafInterface(const VexIID& iid) override;

 protected:
  ~VexPathElement() override = default;

 private:
  VexBaseUnknown_var leaf_;
};

using VexPathElement_var = VexVar<VexPathElement>;

/// The object a selection entry stands for: the leaf of a path element, else the object itself.
VexBaseUnknown_var VexLeafOf(const VexBaseUnknown_var& entry);
