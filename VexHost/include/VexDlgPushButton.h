#pragma once
// A push button; its text is its title.

#include "VexDialog.h"

class VexDlgPushButton : public VexDialog {
 public:
  VexDlgPushButton(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgPushButton"; }

  VexNotification* GetPushBActivateNotification() { return EventNotification(kActivate); }
  /// A person pushes the button.
  void Push();

 protected:
  ~VexDlgPushButton() override = default;

 private:
  static constexpr const char* kActivate = "PushBActivate";
};
