#include "VexDlgWindow.h"

VexDlgWindow::VexDlgWindow(VexDialog* parent, const char* identifier, int style)
    : VexDialog(parent, identifier, style) {
  SetVisibility(kHidden);
}

void VexDlgWindow::CloseWindow() {
  RunUserAction("close", [this] { NotifyEvent(kClose); });
}
