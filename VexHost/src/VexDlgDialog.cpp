#include "VexDlgDialog.h"

void VexDlgDialog::SetOKSensitivity(int sensitivity) {
  if (sensitivity != kSensitive && sensitivity != kInsensitive) {
    ThrowBadValue("SetOKSensitivity", sensitivity);
  }
  okSensitivity_ = sensitivity;
  NotifyChange(VexDialogChange::State);
}

void VexDlgDialog::PressOK() {
  if (okSensitivity_ != kSensitive) {
    throw VexInputError(1, "OKNotSensitive", kVexHostCatalog, {VexUnicodeString(GetPathName())});
  }
  RunUserAction("press OK of", [this] { NotifyEvent(kOK); });
}

void VexDlgDialog::PressCancel() {
  RunUserAction("press Cancel of", [this] { NotifyEvent(kCancel); });
}

std::string VexDlgDialog::DescribeState() const {
  return okSensitivity_ == kSensitive ? "" : "OK insensitive";
}
