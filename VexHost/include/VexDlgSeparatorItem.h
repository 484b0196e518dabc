#pragma once
// A separator between menu entries.

#include "VexDialog.h"

class VexDlgSeparatorItem : public VexDialog {
 public:
  VexDlgSeparatorItem(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgSeparatorItem"; }

 protected:
  ~VexDlgSeparatorItem() override = default;
};
