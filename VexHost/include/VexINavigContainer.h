#pragma once
// The container of a navigation box: the roots it shows. Changes show after UpdateDisplay.

#include <memory>

#include "VexBaseUnknown.h"

class VexINavigContainer : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexINavigContainer);
  virtual void RemoveAllRoots() = 0;
  /// Adds `root` after the others; a null root is ignored.
  virtual void AddRoot(const VexBaseUnknown_var& root) = 0;
  /// A new list of the roots, in the order they were added.
  virtual std::unique_ptr<VexListValVexBaseUnknown_var> ListRoots() const = 0;
  /// Redraws the box from the roots and the controller's settings.
  virtual void UpdateDisplay() = 0;
};
VEX_DEFINE_INTERFACE(VexINavigContainer);
