#include "VexCallbackManager.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "VexCommand.h"
#include "VexDlgNotification.h"
#include "VexNotification.h"

namespace {

struct Subscription {
  long id = 0;
  const VexCallbackManager* publisher = nullptr;
  const VexCommand* subscriber = nullptr;
  VexNotification_var event;  // a widget event, or null when matched by class name
  std::string className;
  VexCallbackManager::AnalyseCallback analyse;
  VexCallbackManager::SubscriberCallback subscriberCallback;
  void* clientData = nullptr;
  bool active = true;
};

using SubscriptionPtr = std::shared_ptr<Subscription>;

// Every subscription of the process, indexed by publisher and by subscriber. The user-interface
// thread is the only one that subscribes and dispatches.
struct Registry {
  long nextId = 1;
  std::unordered_map<long, SubscriptionPtr> byId;
  std::unordered_map<const VexCallbackManager*, std::vector<SubscriptionPtr>> byPublisher;
  std::unordered_map<const VexCommand*, std::vector<SubscriptionPtr>> bySubscriber;

  VexCallback Add(SubscriptionPtr subscription) {
    subscription->id = nextId++;
    byId[subscription->id] = subscription;
    byPublisher[subscription->publisher].push_back(subscription);
    bySubscriber[subscription->subscriber].push_back(subscription);
    return VexCallback(subscription->id);
  }

  void Forget(const SubscriptionPtr& subscription) {
    subscription->active = false;
    byId.erase(subscription->id);
    EraseFrom(byPublisher, subscription->publisher, subscription);
    EraseFrom(bySubscriber, subscription->subscriber, subscription);
  }

  template <class Key>
  static void EraseFrom(std::unordered_map<Key, std::vector<SubscriptionPtr>>& index, Key key,
                        const SubscriptionPtr& subscription) {
    auto found = index.find(key);
    if (found == index.end()) return;
    std::erase(found->second, subscription);
    if (found->second.empty()) index.erase(found);
  }

  std::vector<SubscriptionPtr> Copy(const VexCallbackManager* publisher) const {
    auto found = byPublisher.find(publisher);
    return found == byPublisher.end() ? std::vector<SubscriptionPtr>{} : found->second;
  }
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // outlives every static publisher
  return *registry;
}

const char* EventNameOf(const VexNotification* notification) {
  auto* event = dynamic_cast<const VexDlgNotification*>(notification);
  return event ? event->GetEventName() : "";
}

bool Matches(const Subscription& subscription, VexNotification* notification) {
  if (subscription.event) {
    if (subscription.event.get() == notification) return true;
    return notification->IsAKindOf(subscription.event->IsA()) &&
           std::string(EventNameOf(subscription.event.get())) == EventNameOf(notification);
  }
  return notification->IsAKindOf(subscription.className.c_str()) != 0;
}

// Holds a reference to a counted object for the length of a call. An object nobody counts yet
// is left alone: taking and dropping the only reference would delete it.
class KeepAlive {
 public:
  explicit KeepAlive(VexBaseUnknown* object)
      : object_(object && object->GetReferenceCount() > 0 ? object : nullptr) {
    if (object_) object_->AddRef();
  }
  ~KeepAlive() {
    if (object_) object_->Release();
  }
  KeepAlive(const KeepAlive&) = delete;
  KeepAlive& operator=(const KeepAlive&) = delete;

 private:
  VexBaseUnknown* object_;
};

}  // namespace

VexCallbackManager::VexCallbackManager(VexCommand* owner) : owner_(owner) {}

VexCallbackManager::~VexCallbackManager() {
  for (const SubscriptionPtr& subscription : TheRegistry().Copy(this)) {
    TheRegistry().Forget(subscription);
  }
}

VexCallbackManager& VexCallbackManager::AnyPublisher() {
  static VexCallbackManager* any = new VexCallbackManager(nullptr);
  return *any;
}

VexCallback VexCallbackManager::AddAnalyse(VexCommand* subscriber, VexNotification* notification,
                                           const char* className, AnalyseCallback callback,
                                           void* clientData) {
  auto subscription = std::make_shared<Subscription>();
  subscription->publisher = this;
  subscription->subscriber = subscriber;
  subscription->event = VexNotification_var(notification);
  subscription->className = className ? className : "";
  subscription->analyse = std::move(callback);
  subscription->clientData = clientData;
  return TheRegistry().Add(std::move(subscription));
}

VexCallback VexCallbackManager::AddSubscriber(VexCommand* subscriber, const char* className,
                                              SubscriberCallback callback, void* clientData) {
  auto subscription = std::make_shared<Subscription>();
  subscription->publisher = this;
  subscription->subscriber = subscriber;
  subscription->className = className ? className : "";
  subscription->subscriberCallback = std::move(callback);
  subscription->clientData = clientData;
  return TheRegistry().Add(std::move(subscription));
}

void VexCallbackManager::DispatchCallbacks(VexNotification* notification, void* sender) {
  if (!notification) return;
  VexCommand* publisher = owner_;
  KeepAlive keepSender(publisher);
  KeepAlive keepNotification(notification);

  std::vector<const VexCallbackManager*> managers{this};
  if (this != &AnyPublisher()) managers.push_back(&AnyPublisher());
  std::vector<SubscriptionPtr> due;
  for (const VexCallbackManager* manager : managers) {
    for (SubscriptionPtr& subscription : TheRegistry().Copy(manager)) {
      if (Matches(*subscription, notification)) due.push_back(std::move(subscription));
    }
  }
  std::sort(due.begin(), due.end(),
            [](const SubscriptionPtr& a, const SubscriptionPtr& b) { return a->id < b->id; });

  // From here on `this` may be gone: a callback can destroy the publisher.
  for (const SubscriptionPtr& subscription : due) {
    if (!subscription->active) continue;
    KeepAlive keepSubscriber(const_cast<VexCommand*>(subscription->subscriber));
    if (subscription->analyse) {
      subscription->analyse(publisher, notification, subscription->clientData);
    } else {
      subscription->subscriberCallback(notification->IsA(), sender, notification,
                                       subscription->clientData, subscription->id);
    }
  }
}

int VexCallbackManager::Remove(VexCallback callback) {
  Registry& registry = TheRegistry();
  auto found = registry.byId.find(callback.GetId());
  if (found == registry.byId.end()) return 0;
  SubscriptionPtr subscription = found->second;
  registry.Forget(subscription);
  return 1;
}

int VexCallbackManager::RemoveSubscriptions(const VexCommand* subscriber,
                                            const VexCallbackManager* publisher) {
  Registry& registry = TheRegistry();
  auto found = registry.bySubscriber.find(subscriber);
  if (found == registry.bySubscriber.end()) return 0;
  std::vector<SubscriptionPtr> mine = found->second;
  int removed = 0;
  for (const SubscriptionPtr& subscription : mine) {
    if (subscription->publisher != publisher) continue;
    registry.Forget(subscription);
    ++removed;
  }
  return removed;
}

void VexCallbackManager::RemoveAllOf(const VexCommand* subscriber) {
  Registry& registry = TheRegistry();
  auto found = registry.bySubscriber.find(subscriber);
  if (found == registry.bySubscriber.end()) return;
  std::vector<SubscriptionPtr> mine = found->second;
  for (const SubscriptionPtr& subscription : mine) registry.Forget(subscription);
}

int VexCallbackManager::GetSubscriptionCount() const {
  return static_cast<int>(TheRegistry().Copy(this).size());
}
