#pragma once
// A dialog window with OK and Cancel buttons.

#include "VexDlgWindow.h"

class VexDlgDialog : public VexDlgWindow {
 public:
  VexDlgDialog(VexDialog* parent, const char* identifier, int style = 0)
      : VexDlgWindow(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgDialog"; }

  VexNotification* GetDiaOKNotification() { return EventNotification(kOK); }
  VexNotification* GetDiaCANCELNotification() { return EventNotification(kCancel); }
  /// The button that Return presses (raw value, stored).
  void SetDefaultButton(int button) { defaultButton_ = button; }
  int GetDefaultButton() const { return defaultButton_; }
  /// 8 sensitive, 16 insensitive: whether a person can press OK.
  void SetOKSensitivity(int sensitivity);
  int GetOKSensitivity() const { return okSensitivity_; }

  /// A person presses OK; refused with a VexInputError while OK is insensitive.
  void PressOK();
  /// A person presses Cancel.
  void PressCancel();
  std::string DescribeState() const override;

 protected:
  ~VexDlgDialog() override = default;

 private:
  static constexpr const char* kOK = "DiaOK";
  static constexpr const char* kCancel = "DiaCANCEL";
  int defaultButton_ = 0;
  int okSensitivity_ = kSensitive;
};
