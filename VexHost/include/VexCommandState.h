#pragma once
// A state of a state command: the agents it listens to and its transitions, in the order they
// were added. Owned by its command.

#include <string>
#include <vector>

#include "VexAction.h"
#include "VexAgent.h"
#include "VexCondition.h"

class VexStateCommand;

class VexCommandState {
 public:
  VexCommandState(VexStateCommand* command, const char* name);
  ~VexCommandState();
  VexCommandState(const VexCommandState&) = delete;
  VexCommandState& operator=(const VexCommandState&) = delete;

  const std::string& GetName() const { return name_; }
  /// Adds an agent that waits for dialog notifications (the state holds a reference).
  void AddDialogAgent(VexAgent* agent) { AddAgent(agent); }
  /// Adds an agent (the state holds a reference).
  void AddAgent(VexAgent* agent);
  bool Holds(const VexAgent* agent) const;
  const std::vector<VexAgent_var>& GetAgents() const { return agents_; }

  /// A transition to `target` (null: the end of the command) when `condition` holds.
  struct Transition {
    VexCommandState* target = nullptr;
    VexCondition condition;
    VexAction action;
  };
  void AddTransition(VexCommandState* target, VexCondition condition, VexAction action);
  const std::vector<Transition>& GetTransitions() const { return transitions_; }

  /// Re-arms every agent of the state (entering it from another state).
  void RearmAgents();

 private:
  VexStateCommand* command_;
  std::string name_;
  std::vector<VexAgent_var> agents_;
  std::vector<Transition> transitions_;
};
