#pragma once
// A frame grouping widgets in a grid.

#include "VexDialog.h"

class VexDlgFrame : public VexDialog {
 public:
  VexDlgFrame(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgFrame"; }

  /// Raw orientation value of the frame's layout (stored).
  void SetDefaultOrientation(int orientation) { orientation_ = orientation; }
  int GetDefaultOrientation() const { return orientation_; }

 protected:
  ~VexDlgFrame() override = default;

 private:
  int orientation_ = 0;
};
