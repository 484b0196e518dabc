#include "VexStateCommand.h"

#include "VexNotification.h"
#include "VexSession.h"

VexStateCommand::VexStateCommand(const char* name, int behavior, int mode)
    : VexCommand(name), behavior_(behavior), mode_(mode) {}

VexStateCommand::~VexStateCommand() = default;

int VexStateCommand::Activate(VexCommand*, VexNotification*) { return 0; }

int VexStateCommand::Cancel(VexCommand*, VexNotification*) { return 0; }

VexCommandState* VexStateCommand::GetInitialState(const char* name) {
  std::string wanted = name ? name : "";
  for (auto& state : states_) {
    if (state->GetName() == wanted) return state.get();
  }
  states_.push_back(std::make_unique<VexCommandState>(this, wanted.c_str()));
  return states_.back().get();
}

void VexStateCommand::AddTransition(VexCommandState* from, VexCommandState* to,
                                    VexCondition condition, VexAction action) {
  if (!from) throw VexInternalError(2, "TransitionWithoutState", kVexHostCatalog, {GetName()});
  from->AddTransition(to, std::move(condition), std::move(action));
}

VexCondition VexStateCommand::IsOutputSetCondition(VexAgent* agent) {
  VexAgent_var held(agent);
  return VexCondition([held] { return held && held->IsOutputSet(); });
}

void VexStateCommand::Start() {
  BuildGraph();
  running_ = true;
  if (!states_.empty()) Enter(states_.front().get());
  VexNotification_var activation(new VexNotification(0));
  Activate(nullptr, activation.get());
}

void VexStateCommand::Stop() {
  running_ = false;
  current_ = nullptr;
}

void VexStateCommand::Enter(VexCommandState* state) {
  current_ = state;
  state->RearmAgents();
}

void VexStateCommand::OnAgentFired(VexAgent*) {
  if (evaluating_) {
    firedAgain_ = true;  // evaluated once the running action is done
    return;
  }
  // Ending the command hands it to deferred deletion; outside an event that is at once, so the
  // command keeps itself alive until its transitions are done.
  VexStateCommand_var self(GetReferenceCount() > 0 ? this : nullptr);
  evaluating_ = true;
  try {
    do {
      firedAgain_ = false;
      EvaluateTransitions();
    } while (firedAgain_ && running_);
  } catch (...) {
    evaluating_ = false;
    throw;
  }
  evaluating_ = false;
}

void VexStateCommand::EvaluateTransitions() {
  if (!current_) return;
  std::vector<VexCommandState::Transition> transitions = current_->GetTransitions();
  for (const VexCommandState::Transition& transition : transitions) {
    if (!transition.condition.Holds()) continue;
    if (!transition.action.Run()) return;
    if (!transition.target) {
      VexSession::GetSession().EndCommand(this);
    } else if (transition.target != current_) {
      Enter(transition.target);
    }
    return;
  }
}

void VexStateCommand::ThrowForeignAction() const {
  throw VexInternalError(2, "CallbackOfAnotherClass", kVexHostCatalog, {GetName()});
}
