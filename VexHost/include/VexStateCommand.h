#pragma once
// A command driven by states, agents and transitions. The session starts it (StartCommand): it
// builds its graph, enters its initial state and is activated with activation type 0 (the value of
// the activation notification). Each time an agent of the current state fires, the transitions of
// the state are evaluated in order; the first whose condition holds runs its action and, when the
// action gives true, the command goes to the transition's target state (its agents re-armed when
// the state changes) or, for a null target, ends; the session then releases it.
//
//     VexCommandState* state = GetInitialState("Select");
//     state->AddDialogAgent(closeAgent);
//     AddTransition(state, nullptr, IsOutputSetCondition(closeAgent) ||
//                   IsOutputSetCondition(closeBoxAgent), Action(&MyCommand::Exit));

#include <memory>
#include <string>
#include <vector>

#include "VexAction.h"
#include "VexAgent.h"
#include "VexCommand.h"
#include "VexCommandState.h"
#include "VexCondition.h"

class VexStateCommand : public VexCommand {
 public:
  /// `behavior` and `mode` are the command's raw behaviour flags and mode value (stored).
  explicit VexStateCommand(const char* name, int behavior = 0, int mode = 0);

  int GetBehavior() const { return behavior_; }
  int GetMode() const { return mode_; }
  /// 0 off, 1 on (stored: the command loops only through its own transitions).
  void SetRepeatMode(int repeat) { repeatMode_ = repeat; }
  int GetRepeatMode() const { return repeatMode_; }

  /// Builds the states, agents and transitions.
  virtual void BuildGraph() {}
  /// Called when the session starts the command; the result is the command's status (0).
  virtual int Activate(VexCommand* from, VexNotification* notification);
  /// Called when the session cancels the command.
  virtual int Cancel(VexCommand* from, VexNotification* notification);

  /// The state called `name`, created on the first call; the first state created is the initial
  /// one. The command owns its states.
  VexCommandState* GetInitialState(const char* name);
  /// Adds a transition from `from` to `to` (null: the end of the command).
  void AddTransition(VexCommandState* from, VexCommandState* to, VexCondition condition,
                     VexAction action = {});
  /// Holds when `agent` has an output.
  VexCondition IsOutputSetCondition(VexAgent* agent);
  /// Binds a member function of the command as a transition action.
  template <class C>
  VexAction Action(bool (C::*method)(void*), void* data = nullptr) {
    C* self = dynamic_cast<C*>(this);
    if (!self) ThrowForeignAction();
    return VexAction([self, method](void* actionData) { return (self->*method)(actionData); },
                     data);
  }

  VexCommandState* GetCurrentState() const { return current_; }
  /// True from the start by the session until the command ends.
  bool IsRunning() const { return running_; }

  /// Framework: builds the graph, enters the initial state and activates the command.
  void Start();
  /// Framework: an agent of the current state fired.
  void OnAgentFired(VexAgent* agent);
  /// Framework: the command stops taking events (ended or cancelled).
  void Stop();

 protected:
  ~VexStateCommand() override;

 private:
  void EvaluateTransitions();
  void Enter(VexCommandState* state);
  [[noreturn]] void ThrowForeignAction() const;

  int behavior_;
  int mode_;
  int repeatMode_ = 1;
  std::vector<std::unique_ptr<VexCommandState>> states_;
  VexCommandState* current_ = nullptr;
  bool running_ = false;
  bool evaluating_ = false;
  bool firedAgain_ = false;
};

using VexStateCommand_var = VexVar<VexStateCommand>;
