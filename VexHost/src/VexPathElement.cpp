#include "VexPathElement.h"

#include "VexError.h"

VexPathElement::VexPathElement(VexBaseUnknown_var leaf) : leaf_(std::move(leaf)) {
  if (!leaf_) throw VexInternalError(3, "PathWithoutLeaf", kVexHostCatalog);
}

VexBaseUnknown_var VexPathElement::QueryLeafInterface(const VexIID& iid) {
  return VexBaseUnknown_var(leaf_->QueryInterface(iid));
}

VexBaseUnknown_var VexLeafOf(const VexBaseUnknown_var& entry) {
  VexPathElement_var path(entry);
  return path ? path->GetLeaf() : entry;
}
