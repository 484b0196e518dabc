#pragma once
// A separating line between widgets.

#include "VexDialog.h"

class VexDlgSeparator : public VexDialog {
 public:
  VexDlgSeparator(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgSeparator"; }

 protected:
  ~VexDlgSeparator() override = default;
};
