#pragma once
// A push entry of a menu; its text is its title.

#include "VexDialog.h"

class VexDlgPushItem : public VexDialog {
 public:
  VexDlgPushItem(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgPushItem"; }

  VexNotification* GetMenuIActivateNotification() { return EventNotification(kActivate); }
  /// A person chooses the entry.
  void Choose();

 protected:
  ~VexDlgPushItem() override = default;

 private:
  static constexpr const char* kActivate = "MenuIActivate";
};
