#pragma once
// An object that can be shown in a navigation box: it has a label and children to walk to. The
// network model's navigation interface derives from it.

#include <memory>

#include "VexBaseUnknown.h"
#include "VexUnicodeString.h"

class VexINavigateObject : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexINavigateObject);
  /// A new list of the objects shown under this one (may be empty).
  virtual std::unique_ptr<VexListValVexBaseUnknown_var> GetNavigationChildren() = 0;
  /// The text the box shows for this object.
  virtual VexUnicodeString GetNavigationLabel() = 0;
  /// Tells the object which object it is shown under (a root is told itself).
  virtual void SetNavigationParent(VexBaseUnknown_var parent) = 0;
};
VEX_DEFINE_INTERFACE(VexINavigateObject);
