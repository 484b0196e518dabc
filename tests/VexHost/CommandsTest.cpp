#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VexCommand.h"
#include "VexDlgNotification.h"
#include "VexNotification.h"

// Outside the anonymous namespace: the class macros define members that tests do not all call.
class TestEvent : public VexNotification {
  VEX_DECLARE_CLASS(TestEvent);
};
VEX_IMPLEMENT_CLASS(TestEvent, VexNotification, "VexNull", "VoltariaTests")

class OtherEvent : public VexNotification {
  VEX_DECLARE_CLASS(OtherEvent);
};
VEX_IMPLEMENT_CLASS(OtherEvent, VexNotification, "VexNull", "VoltariaTests")

namespace {

std::vector<std::string> calls;

class Listener : public VexCommand {
 public:
  explicit Listener(const char* name) : VexCommand(name) {}
  void OnAnalyse(VexCommand* sender, VexNotification* notification, void* data) {
    calls.push_back(std::string(GetName()) + "<" + sender->GetName() + ":" + notification->IsA() +
                    ":" + (data ? static_cast<const char*>(data) : "-"));
    if (onCall) onCall();
  }
  void OnSubscribed(const char* event, void* publisher, VexNotification*, void* data, long) {
    calls.push_back(std::string(GetName()) + "<" + static_cast<VexCommand*>(publisher)->GetName() +
                    ":" + event + ":" + (data ? static_cast<const char*>(data) : "-"));
  }
  std::function<void()> onCall;
};

void Send(VexCommand& publisher, VexNotification* notification) {
  publisher.GetCallbackManager()->DispatchCallbacks(notification, &publisher);
}

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { calls.clear(); }
  VexCommand_var publisher{new VexCommand("pub")};
  VexCommand_var other{new VexCommand("other")};
  VexVar<Listener> alice{new Listener("alice")};
  VexVar<Listener> bob{new Listener("bob")};
  VexNotification_var event{new TestEvent};
};

}  // namespace

TEST_F(CommandsTest, CallbacksGetTheSenderAndTheClientDataTheyWereBoundWith) {
  static char first[] = "first";
  static char second[] = "second";
  alice->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, first);
  bob->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, second);
  Send(*publisher, event.get());
  EXPECT_EQ(calls, (std::vector<std::string>{"alice<pub:TestEvent:first", "bob<pub:TestEvent:second"}));
}

TEST_F(CommandsTest, RemovedSubscriptionsAreNotCalled) {
  VexCallback callback =
      alice->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, nullptr);
  bob->AddCallback(publisher.get(), "TestEvent", &Listener::OnSubscribed, nullptr);
  bob->AddCallback(other.get(), "TestEvent", &Listener::OnSubscribed, nullptr);
  EXPECT_EQ(alice->RemoveAnalyseNotificationCB(callback), 1);
  EXPECT_EQ(alice->RemoveAnalyseNotificationCB(callback), 0);
  EXPECT_EQ(bob->RemoveSubscriberCallbacks(publisher.get()), 1);
  Send(*publisher, event.get());
  Send(*other, event.get());
  EXPECT_EQ(calls, (std::vector<std::string>{"bob<other:TestEvent:-"}));
}

TEST_F(CommandsTest, ChangesDuringADispatchTakeEffectForTheNextOne) {
  VexVar<Listener> carol(new Listener("carol"));
  alice->onCall = [&] {
    bob->RemoveSubscriberCallbacks(publisher.get());
    carol->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, nullptr);
  };
  alice->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, nullptr);
  bob->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, nullptr);
  Send(*publisher, event.get());
  EXPECT_EQ(calls, (std::vector<std::string>{"alice<pub:TestEvent:-"}));
  alice->onCall = nullptr;
  calls.clear();
  Send(*publisher, event.get());
  EXPECT_EQ(calls, (std::vector<std::string>{"alice<pub:TestEvent:-", "carol<pub:TestEvent:-"}));
}

TEST_F(CommandsTest, ASubscriberDestroyedWhileSubscribedIsUnsubscribed) {
  bob->AddAnalyseNotificationCB(publisher.get(), event.get(), &Listener::OnAnalyse, nullptr);
  bob->AddCallback(publisher.get(), "TestEvent", &Listener::OnSubscribed, nullptr);
  bob.Reset();
  EXPECT_EQ(publisher->GetCallbackManager()->GetSubscriptionCount(), 0);
  Send(*publisher, event.get());
  EXPECT_TRUE(calls.empty());
}

TEST_F(CommandsTest, ACallbackThatReleasesTheSenderIsSafe) {
  // The publisher's last handle goes in the first callback; the second must still be called and
  // the publisher must die only after the dispatch.
  alice->onCall = [&] { publisher.Reset(); };
  VexCommand* raw = publisher.get();
  alice->AddAnalyseNotificationCB(raw, event.get(), &Listener::OnAnalyse, nullptr);
  bob->AddAnalyseNotificationCB(raw, event.get(), &Listener::OnAnalyse, nullptr);
  Send(*raw, event.get());
  EXPECT_EQ(calls.size(), 2u);
  EXPECT_FALSE(publisher);
}
