#pragma once
// The notification a widget sends for one of its events ("PushBActivate", "DiaOK", ...). Each
// widget keeps one instance per event; subscribing with it selects that event of that widget, or,
// with a null sender, that event of any widget.

#include <string>

#include "VexNotification.h"

class VexDlgNotification : public VexNotification {
  VEX_DECLARE_CLASS(VexDlgNotification);

 public:
  explicit VexDlgNotification(const char* eventName) : eventName_(eventName ? eventName : "") {}
  const char* GetEventName() const { return eventName_.c_str(); }

 protected:
  ~VexDlgNotification() override = default;

 private:
  std::string eventName_;
};
