#pragma once
// Sent by a navigation box when a person asks for the contextual menu of an object of its graph.

#include "VexNotification.h"

class VexGraphContextNotification : public VexNotification {
  VEX_DECLARE_CLASS(VexGraphContextNotification);

 public:
  explicit VexGraphContextNotification(VexBaseUnknown_var object) : object_(std::move(object)) {}
  /// The object the menu was asked on.
  VexBaseUnknown_var GetObject() const { return object_; }

 protected:
  ~VexGraphContextNotification() override = default;

 private:
  VexBaseUnknown_var object_;
};
