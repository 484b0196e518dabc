#pragma once
// A contextual menu: the dialog object in which a command creates its entries (VexDlgPushItem,
// VexDlgSeparatorItem) when the session hands it out for a contextual-menu request.

#include "VexDialog.h"

class VexDlgContextualMenu : public VexDialog {
 public:
  VexDlgContextualMenu(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgContextualMenu"; }

 protected:
  ~VexDlgContextualMenu() override = default;
};
