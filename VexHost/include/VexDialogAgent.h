#pragma once
// An agent that waits for a notification of a dialog (AcceptOnNotify).

#include "VexAgent.h"

class VexDialogAgent : public VexAgent {
 public:
  /// `mode` is the command mode value the agent runs in (stored).
  explicit VexDialogAgent(const char* name, int behavior = 0, int mode = 0)
      : VexAgent(name, behavior), mode_(mode) {}
  int GetMode() const { return mode_; }

 protected:
  ~VexDialogAgent() override = default;

 private:
  int mode_;
};
