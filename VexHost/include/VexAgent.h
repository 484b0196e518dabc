#pragma once
// An agent: the part of a state command that waits for one kind of event. An agent fires only
// while its command's current state holds it and its output is not set: firing sets the output,
// then the command evaluates the transitions of its state. InitializeAcquisition re-arms it.

#include "VexCommand.h"
#include "VexNotification.h"

class VexStateCommand;

/// Behaviour flag: the agent takes picks of objects in the viewer (path-element agents).
inline constexpr int kVexBehaviorPickAcquisition = 0x800800;
/// Behaviour flag: the agent takes contextual-menu requests on objects (path-element agents).
inline constexpr int kVexBehaviorContextMenu = 0x4000000;

class VexAgent : public VexCommand {
 public:
  explicit VexAgent(const char* name, int behavior = 0) : VexCommand(name), behavior_(behavior) {}

  void SetBehavior(int behavior) { behavior_ = behavior; }
  int GetBehavior() const { return behavior_; }
  /// True when every bit of `flags` is set in the behaviour.
  bool HasBehavior(int flags) const { return (behavior_ & flags) == flags; }

  bool IsOutputSet() const { return outputSet_; }
  /// Re-arms the agent: clears its output so that it takes its next event.
  void InitializeAcquisition() { outputSet_ = false; }

  /// Takes the event of `notification` sent by `sender` (null: by any sender).
  void AcceptOnNotify(VexCommand* sender, VexNotification* notification);
  /// Takes every notification of the class `notificationClassName` sent by `sender` (null: any).
  void AcceptOnNotify(VexCommand* sender, const char* notificationClassName);
  /// The notification that set the output last; null before any.
  VexNotification* GetReceivedNotification() const { return received_.get(); }

  /// The command whose state holds the agent (set by the framework); null when none.
  VexStateCommand* GetOwner() const { return owner_; }
  void SetOwner(VexStateCommand* owner) { owner_ = owner; }

 protected:
  ~VexAgent() override = default;
  /// True when the agent would fire now: its command runs, its current state holds the agent
  /// and the output is not set.
  bool CanFire() const;
  /// Sets the output and lets the command evaluate its transitions.
  void Fire();

 private:
  void OnNotification(VexCommand* sender, VexNotification* notification, void* clientData);

  int behavior_;
  bool outputSet_ = false;
  VexStateCommand* owner_ = nullptr;
  VexVar<VexNotification> received_;
};

using VexAgent_var = VexVar<VexAgent>;
