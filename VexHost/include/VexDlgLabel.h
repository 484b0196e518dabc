#pragma once
// A text or icon label; its text is its title.

#include "VexDialog.h"

class VexDlgLabel : public VexDialog {
 public:
  VexDlgLabel(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgLabel"; }

 protected:
  ~VexDlgLabel() override = default;
};
