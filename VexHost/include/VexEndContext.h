#pragma once
// Sent by the host, with the contextual menu as sender, when a contextual menu ends (an entry was
// chosen or the menu was dismissed), just before the menu is destroyed.

#include "VexNotification.h"

class VexEndContext : public VexNotification {
  VEX_DECLARE_CLASS(VexEndContext);

 public:
  VexEndContext() = default;

 protected:
  ~VexEndContext() override = default;
};
