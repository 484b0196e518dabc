#pragma once
// The object a network object was last told it is shown under in a navigation graph. A root is
// told it is its own parent; holding a counted reference to itself would keep the object alive
// for ever, so that case is kept as a mark instead of a reference.

#include "VexBaseUnknown.h"

class VexGrdNavigationParent {
 public:
  void Set(VexBaseUnknown* self, VexBaseUnknown_var parent) {
    own_ = parent && VexIdentityOf(parent.get()) == VexIdentityOf(self);
    parent_ = own_ ? nullptr : std::move(parent);
  }
  VexBaseUnknown_var Get(VexBaseUnknown* self) const { return own_ ? VexBaseUnknown_var(self) : parent_; }
  void Reset() {
    own_ = false;
    parent_.Reset();
  }

 private:
  bool own_ = false;
  VexBaseUnknown_var parent_;
};
