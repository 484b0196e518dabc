#include "VexApplicationFrame.h"

VexApplicationFrame::VexApplicationFrame()
    : mainWindow_(new VexDlgWindow(nullptr, "VexMainWindow", 0)) {
  mainWindow_->SetVisibility(VexDialog::kShown);
}

VexApplicationFrame* VexApplicationFrame::GetFrame() {
  // Never destroyed: module panels hang under the main window until the host unloads them.
  static VexApplicationFrame* frame = new VexApplicationFrame;
  return frame;
}

void VexApplicationFrame::SetBusyCursor() { mainWindow_->SetCursor(VexDialog::kBusyCursor); }

bool VexApplicationFrame::IsBusy() const {
  return mainWindow_->GetCursor() == VexDialog::kBusyCursor;
}

void VexApplicationFrame::ResetCursor() { mainWindow_->SetCursor(VexDialog::kNormalCursor); }
