#pragma once
// The counted root of commands and widgets: a name, a father command, a publisher of
// notifications and a subscriber to those of others.
//
// Callbacks are member functions of the subscriber, bound to it when they are added:
//     AddAnalyseNotificationCB(button, button->GetPushBActivateNotification(),
//                              &MyFrame::Push, clientData);
// A subscriber that is destroyed loses its subscriptions; a publisher that is destroyed takes the
// subscriptions on it along.

#include <memory>
#include <string>

#include "VexBaseUnknown.h"
#include "VexCallback.h"
#include "VexCallbackManager.h"
#include "VexError.h"

class VexNotification;

class VexCommand : public virtual VexBaseUnknown {
 public:
  explicit VexCommand(const char* name = "", VexCommand* father = nullptr);

  /// The command's name; for a widget, its identifier.
  const char* GetName() const { return name_.c_str(); }
  void SetFather(VexCommand* father) { father_ = father; }
  /// The command this one reports to (for a widget, its parent unless set otherwise).
  VexCommand* GetFather() const { return father_; }

  /// The manager of the subscriptions on this command as publisher.
  VexCallbackManager* GetCallbackManager() { return &manager_; }

  /// Calls `method` on this subscriber whenever `sender` (null: any sender) dispatches the event
  /// of `notification`.
  template <class C>
  VexCallback AddAnalyseNotificationCB(VexCommand* sender, VexNotification* notification,
                                       void (C::*method)(VexCommand*, VexNotification*, void*),
                                       void* clientData) {
    return ManagerOf(sender).AddAnalyse(this, RequireNotification(notification), nullptr,
                                        Bind(method), clientData);
  }
  /// The same for every notification of the class `notificationClassName` (IsAKindOf).
  template <class C>
  VexCallback AddAnalyseNotificationCB(VexCommand* sender, const char* notificationClassName,
                                       void (C::*method)(VexCommand*, VexNotification*, void*),
                                       void* clientData) {
    return ManagerOf(sender).AddAnalyse(this, nullptr, RequireClassName(notificationClassName),
                                        Bind(method), clientData);
  }
  /// Removes a subscription made with AddAnalyseNotificationCB; returns 1 when it existed,
  /// 0 when it was already gone (its publisher destroyed, or removed before).
  int RemoveAnalyseNotificationCB(VexCallback callback) { return VexCallbackManager::Remove(callback); }

  /// Subscriber callback: `method` receives the notification's class name, the publisher, the
  /// notification, the client data and the subscription's number.
  template <class C>
  VexCallback AddCallback(VexCommand* publisher, const char* notificationClassName,
                          void (C::*method)(const char*, void*, VexNotification*, void*, long),
                          void* clientData) {
    C* self = Self<C>();
    return ManagerOf(publisher).AddSubscriber(
        this, RequireClassName(notificationClassName),
        [self, method](const char* event, void* data, VexNotification* n, void* client, long id) {
          (self->*method)(event, data, n, client, id);
        },
        clientData);
  }
  /// Removes all of this subscriber's callbacks on `publisher`; returns how many there were.
  int RemoveSubscriberCallbacks(VexCommand* publisher);

  /// Has the session detach this object from its parent widget and release it after the current
  /// event (at once when no event runs). A second request changes nothing.
  void RequestDelayedDestruction();

 protected:
  ~VexCommand() override;

 private:
  template <class C>
  C* Self() {
    C* self = dynamic_cast<C*>(this);
    if (!self) ThrowWrongSubscriber();
    return self;
  }
  template <class C>
  VexCallbackManager::AnalyseCallback Bind(void (C::*method)(VexCommand*, VexNotification*, void*)) {
    C* self = Self<C>();
    return [self, method](VexCommand* sender, VexNotification* n, void* client) {
      (self->*method)(sender, n, client);
    };
  }
  static VexCallbackManager& ManagerOf(VexCommand* publisher);
  VexNotification* RequireNotification(VexNotification* notification) const;
  const char* RequireClassName(const char* className) const;
  [[noreturn]] void ThrowWrongSubscriber() const;

  std::string name_;
  VexCommand* father_;
  VexCallbackManager manager_;
};

using VexCommand_var = VexVar<VexCommand>;

/// Detaches `command` from its parent widget and releases it after the current event, as
/// RequestDelayedDestruction does. A null command is ignored.
void VexCommandDeletion(VexCommand* command);
