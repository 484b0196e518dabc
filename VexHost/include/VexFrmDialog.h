#pragma once
// A frame dialog: a dialog window of the application, whose father is a window (for a module's
// panel, the application's main window).

#include "VexDlgDialog.h"

class VexFrmDialog : public VexDlgDialog {
 public:
  VexFrmDialog(VexDialog* father, const char* identifier, int style = 0)
      : VexDlgDialog(father, identifier, style) {}
  const char* GetKindName() const override { return "VexFrmDialog"; }

 protected:
  ~VexFrmDialog() override = default;
};
