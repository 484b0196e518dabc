#include "VexAgent.h"

#include "VexCommandState.h"
#include "VexNotification.h"
#include "VexStateCommand.h"

void VexAgent::AcceptOnNotify(VexCommand* sender, VexNotification* notification) {
  AddAnalyseNotificationCB(sender, notification, &VexAgent::OnNotification, nullptr);
}

void VexAgent::AcceptOnNotify(VexCommand* sender, const char* notificationClassName) {
  AddAnalyseNotificationCB(sender, notificationClassName, &VexAgent::OnNotification, nullptr);
}

void VexAgent::OnNotification(VexCommand*, VexNotification* notification, void*) {
  if (!CanFire()) return;
  received_ = VexVar<VexNotification>(notification);
  Fire();
}

bool VexAgent::CanFire() const {
  if (!owner_ || outputSet_ || !owner_->IsRunning()) return false;
  VexCommandState* state = owner_->GetCurrentState();
  return state && state->Holds(this);
}

void VexAgent::Fire() {
  outputSet_ = true;
  owner_->OnAgentFired(this);
}
