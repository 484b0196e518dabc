#include "VexDlgCheckButton.h"

void VexDlgCheckButton::SetState(int state, int notify) {
  if (state != kUnchecked && state != kChecked) ThrowBadValue("SetState", state);
  state_ = state;
  NotifyChange(VexDialogChange::State);
  if (notify) NotifyEvent(kModify);
}

void VexDlgCheckButton::SetCheckedByUser(bool checked) {
  RunUserAction(checked ? "check" : "uncheck", [this, checked] {
    state_ = checked ? kChecked : kUnchecked;
    NotifyChange(VexDialogChange::State);
    NotifyEvent(kModify);
  });
}

std::string VexDlgCheckButton::DescribeState() const {
  return state_ == kChecked ? "checked" : "unchecked";
}
