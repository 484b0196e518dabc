#include "VexCommandState.h"

VexCommandState::VexCommandState(VexStateCommand* command, const char* name)
    : command_(command), name_(name ? name : "") {}

VexCommandState::~VexCommandState() {
  // An agent may outlive its command (a deferred deletion): it must not reach the command then.
  for (VexAgent_var& agent : agents_) {
    if (agent->GetOwner() == command_) agent->SetOwner(nullptr);
  }
}

void VexCommandState::AddAgent(VexAgent* agent) {
  if (!agent) throw VexInternalError(2, "StateWithoutAgent", kVexHostCatalog, {name_.c_str()});
  agents_.emplace_back(agent);
  agent->SetOwner(command_);
}

bool VexCommandState::Holds(const VexAgent* agent) const {
  for (const VexAgent_var& held : agents_) {
    if (held.get() == agent) return true;
  }
  return false;
}

void VexCommandState::AddTransition(VexCommandState* target, VexCondition condition,
                                    VexAction action) {
  transitions_.push_back({target, std::move(condition), std::move(action)});
}

void VexCommandState::RearmAgents() {
  for (VexAgent_var& agent : agents_) agent->InitializeAcquisition();
}
