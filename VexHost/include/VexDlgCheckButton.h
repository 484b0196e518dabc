#pragma once
// A check button: state 1 checked, 0 unchecked.

#include "VexDialog.h"

class VexDlgCheckButton : public VexDialog {
 public:
  static constexpr int kUnchecked = 0;
  static constexpr int kChecked = 1;

  VexDlgCheckButton(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgCheckButton"; }

  /// Sets the state (0 or 1); `notify` 1 also sends the modify notification.
  void SetState(int state, int notify = 0);
  int GetState() const { return state_; }
  VexNotification* GetChkBModifyNotification() { return EventNotification(kModify); }
  /// A person checks or unchecks the button.
  void SetCheckedByUser(bool checked);
  std::string DescribeState() const override;

 protected:
  ~VexDlgCheckButton() override = default;

 private:
  static constexpr const char* kModify = "ChkBModify";
  int state_ = kUnchecked;
};
