#pragma once
// An agent that acquires objects from the viewer; for a contextual-menu request it also holds the
// menu that the session handed out for the request.

#include "VexAgent.h"

class VexDlgContextualMenu;

class VexAcquisitionAgent : public VexAgent {
 public:
  using VexAgent::VexAgent;

  /// The menu of the contextual-menu request being served; null when none is open.
  VexDlgContextualMenu* GetContextualMenu() const { return menu_; }
  /// Set by the session while the menu is open.
  void SetContextualMenu(VexDlgContextualMenu* menu) { menu_ = menu; }

 protected:
  ~VexAcquisitionAgent() override = default;

 private:
  VexDlgContextualMenu* menu_ = nullptr;
};
