#pragma once
// A window. Windows start hidden; their father window is the nearest window above them.

#include "VexDialog.h"

class VexDlgWindow : public VexDialog {
 public:
  VexDlgWindow(VexDialog* parent, const char* identifier, int style = 0);
  const char* GetKindName() const override { return "VexDlgWindow"; }
  bool IsWindow() const override { return true; }

  VexNotification* GetWindCloseNotification() { return EventNotification(kClose); }
  /// A person clicks the window's close box: the close notification is sent; closing is up to
  /// the subscribers (the window stays as it is unless they hide or destroy it).
  void CloseWindow();

 protected:
  ~VexDlgWindow() override = default;

 private:
  static constexpr const char* kClose = "WindClose";
};
