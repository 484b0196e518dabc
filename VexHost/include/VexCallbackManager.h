#pragma once
// The subscriptions on one publisher, and the dispatch of its notifications.
//
// A subscription names its publisher (or any publisher), the notifications it wants (one widget
// event, or a notification class matched with IsAKindOf) and the subscriber's bound callback.
// Dispatch is safe against changes made by the callbacks themselves: it works on the list of
// subscriptions that matched when it started, skips those removed meanwhile, and holds a reference
// to the sender, the notification and each subscriber (when they are counted) while it calls them.

#include <functional>
#include <memory>

#include "VexCallback.h"

class VexCommand;
class VexNotification;

class VexCallbackManager {
 public:
  /// Called with the sender, the notification and the client data bound with the subscription.
  using AnalyseCallback = std::function<void(VexCommand*, VexNotification*, void*)>;
  /// Called with the notification's class name, the sender, the notification, the client data
  /// and the subscription's number.
  using SubscriberCallback =
      std::function<void(const char*, void*, VexNotification*, void*, long)>;

  /// `owner` is the publisher; null for the manager of subscriptions to any publisher.
  explicit VexCallbackManager(VexCommand* owner);
  ~VexCallbackManager();
  VexCallbackManager(const VexCallbackManager&) = delete;
  VexCallbackManager& operator=(const VexCallbackManager&) = delete;

  /// Calls, one at a time and in the order they were added, every subscription on this publisher
  /// and every subscription to any publisher that matches `notification`. `sender` is handed to
  /// subscriber callbacks as the publisher's data.
  void DispatchCallbacks(VexNotification* notification, void* sender);

  /// Subscribes `subscriber` to the event of `notification` (its class, refined by the widget
  /// event it names) or, when `notification` is null, to the class `className`.
  VexCallback AddAnalyse(VexCommand* subscriber, VexNotification* notification,
                         const char* className, AnalyseCallback callback, void* clientData);
  VexCallback AddSubscriber(VexCommand* subscriber, const char* className,
                            SubscriberCallback callback, void* clientData);

  VexCommand* GetOwner() const { return owner_; }

  /// The manager that holds subscriptions to any publisher.
  static VexCallbackManager& AnyPublisher();
  /// Removes one subscription; returns 1 when it existed, 0 otherwise.
  static int Remove(VexCallback callback);
  /// Removes the subscriptions of `subscriber` on `publisher` (null: on any publisher); returns
  /// how many were removed.
  static int RemoveSubscriptions(const VexCommand* subscriber, const VexCallbackManager* publisher);
  /// Removes every subscription of `subscriber` (a subscriber being destroyed).
  static void RemoveAllOf(const VexCommand* subscriber);
  /// Number of subscriptions on this publisher.
  int GetSubscriptionCount() const;

 private:
  VexCommand* owner_;
};
