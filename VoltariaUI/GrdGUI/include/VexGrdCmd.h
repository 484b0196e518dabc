#pragma once
// The EDSA command, the module's entry point. It opens the panel, waits in one state for picks
// of network objects, contextual-menu requests on them and the closing of the panel, forwards
// picks and menus to the panel, and saves the panel's settings when the panel is closed.

#include "VexStateCommand.h"

class VexCommandState;
class VexDialogAgent;
class VexGrdPanel;
class VexPathElementAgent;

class VexGrdCmd : public VexStateCommand {
 public:
  VexGrdCmd();

  void BuildGraph() override;
  /// Activation type 0 loads the panel's settings and shows it; any other type does nothing.
  int Activate(VexCommand* from, VexNotification* notification) override;
  int Cancel(VexCommand* from, VexNotification* notification) override;

  // Transition actions.
  bool ActElemSelect(void* data);
  bool ShowMenu(void* data);
  bool DelMenu(void* data);
  bool Exit(void* data);

 protected:
  ~VexGrdCmd() override;

 private:
  void InitializePrivateData();

  VexGrdPanel* _pPanel;                    // owned; handed to deferred deletion
  VexPathElementAgent* _pObjectAgent;      // "AecObject"
  VexPathElementAgent* _pCtxMenuAgent;     // "CtxMenuAgent"
  VexPathElementAgent* _pEndCtxMenuAgent;  // "EndCtxMenuAgent"
  VexCommandState* _pState;                // "Select Element or Option", owned by the framework
  VexDialogAgent* _pCloseAgent;            // "daOnClose"
  VexDialogAgent* _pWndCloseAgent;         // "daWndClose"
};

/// The module's exported factory: a new EDSA command, or null when it cannot be allocated.
extern "C" __attribute__((visibility("default"))) VexGrdCmd* fctCreateVexGrdCmd();
