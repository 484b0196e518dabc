#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VexDialogAgent.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgDialog.h"
#include "VexDlgFrame.h"
#include "VexDlgPushItem.h"
#include "VexDlgSeparatorItem.h"
#include "VexPathElementAgent.h"
#include "VexSession.h"
#include "VexStateCommand.h"

namespace {

class ITestNavigable : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(ITestNavigable);
};
VEX_DEFINE_INTERFACE(ITestNavigable);

class Navigable : public ITestNavigable {};
class Plain : public VexBaseUnknown {};

std::vector<std::string> trail;

// A command shaped like a module's: one state with a pick agent, a menu agent, an end-of-menu
// agent, and two close agents joined by OR.
class TestCommand : public VexStateCommand {
 public:
  explicit TestCommand(VexDlgDialog* panel, bool rearm = true)
      : VexStateCommand("Test Command"), panel_(panel), rearm_(rearm) {
    ownFrame_ = new VexDlgFrame(panel, "CommandFrame");
  }

  void BuildGraph() override {
    pick = new VexPathElementAgent("Pick");
    pick->SetBehavior(kVexBehaviorPickAcquisition);
    pick->SetElementType("ITestNavigable");
    ok = new VexDialogAgent("OnOK", 0, 3);
    ok->AcceptOnNotify(panel_, panel_->GetDiaOKNotification());
    close = new VexDialogAgent("OnClose", 0, 3);
    close->AcceptOnNotify(panel_, panel_->GetWindCloseNotification());
    menu = new VexPathElementAgent("Menu", "ITestNavigable", kVexBehaviorContextMenu);
    endMenu = new VexPathElementAgent("EndMenu");
    endMenu->AcceptOnNotify(nullptr, "VexEndContext");
    VexCommandState* state = GetInitialState("Select");
    for (VexAgent* agent : std::initializer_list<VexAgent*>{pick, ok, close, menu, endMenu}) {
      state->AddDialogAgent(agent);
    }
    AddTransition(state, state, IsOutputSetCondition(pick), Action(&TestCommand::Picked));
    AddTransition(state, state, IsOutputSetCondition(menu), Action(&TestCommand::ShowMenu));
    AddTransition(state, state, IsOutputSetCondition(endMenu), Action(&TestCommand::MenuEnded));
    AddTransition(state, nullptr, IsOutputSetCondition(ok) || IsOutputSetCondition(close),
                  Action(&TestCommand::Exit));
  }
  int Activate(VexCommand*, VexNotification* notification) override {
    trail.push_back("activate " + std::to_string(notification->GetValue()));
    return 0;
  }
  bool Picked(void*) {
    trail.push_back("picked element is value: " +
                    std::to_string(pick->GetElementValue() == pick->GetValue()));
    if (rearm_) pick->InitializeAcquisition();
    return true;
  }
  bool ShowMenu(void*) {
    VexDlgContextualMenu* contextual = menu->GetContextualMenu();
    if (withEntries) {
      auto* item = new VexDlgPushItem(contextual, "Edit");
      new VexDlgSeparatorItem(contextual, "Sep");
      AddAnalyseNotificationCB(item, item->GetMenuIActivateNotification(), &TestCommand::Edit,
                               nullptr);
    }
    trail.push_back("menu shown");
    menu->InitializeAcquisition();
    return true;
  }
  void Edit(VexCommand*, VexNotification*, void*) {
    trail.push_back("edit chosen");
    if (failEdit) throw VexInputError(1, "NoContextMenu", kVexHostCatalog, {"edit"});
  }
  bool MenuEnded(void*) {
    trail.push_back("menu ended");
    endMenu->InitializeAcquisition();
    return true;
  }
  bool Exit(void*) {
    trail.push_back("exit");
    return true;
  }
  // Destroyed during the session's deferred deletions, it schedules one more.
  ~TestCommand() override {
    VexCommandDeletion(ownFrame_);
    trail.push_back("command destroyed");
  }

  VexPathElementAgent* pick = nullptr;
  VexDialogAgent* ok = nullptr;
  VexDialogAgent* close = nullptr;
  VexPathElementAgent* menu = nullptr;
  VexPathElementAgent* endMenu = nullptr;
  bool withEntries = true;
  bool failEdit = false;

 private:
  VexDlgDialog* panel_;
  VexDlgFrame* ownFrame_;
  bool rearm_;
};

class StateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    trail.clear();
    panel->SetVisibility(VexDialog::kShown);
  }
  void TearDown() override {
    for (TestCommand* command : started) session.CancelCommand(command);  // ended ones are skipped
  }
  TestCommand* Start(bool rearm = true) {
    auto* command = new TestCommand(panel.get(), rearm);
    started.push_back(command);
    VexSession::GetSession().StartCommand(VexStateCommand_var(command));
    return command;
  }
  std::vector<TestCommand*> started;
  VexVar<VexDlgDialog> panel{new VexDlgDialog(nullptr, "Panel")};
  VexSession& session = VexSession::GetSession();
};

}  // namespace

TEST_F(StateCommandTest, TheOrTransitionEndsTheCommandWhicheverAgentFires) {
  for (bool byCloseBox : {false, true}) {
    SCOPED_TRACE(byCloseBox ? "close box" : "OK");
    trail.clear();
    int before = session.GetActiveCommandCount();
    Start();
    byCloseBox ? panel->CloseWindow() : panel->PressOK();
    EXPECT_EQ(trail, (std::vector<std::string>{"activate 0", "exit", "command destroyed"}));
    EXPECT_EQ(session.GetActiveCommandCount(), before);
    EXPECT_EQ(panel->FindChild("CommandFrame"), nullptr);
  }
}

TEST_F(StateCommandTest, AnAgentReArmedByItsActionFiresAgainOnTheNextEventAndOnlyThen) {
  TestCommand* command = Start();
  VexBaseUnknown_var object(new Navigable);
  EXPECT_TRUE(session.Pick(object));
  EXPECT_TRUE(session.Pick(object));
  EXPECT_EQ(command->pick->GetValue(), object);
  EXPECT_EQ(std::count(trail.begin(), trail.end(), "picked element is value: 1"), 2);
  panel->PressOK();

  Start(/*rearm=*/false);
  EXPECT_TRUE(session.Pick(object));
  EXPECT_FALSE(session.Pick(object)) << "not re-armed: takes nothing more";
}

TEST_F(StateCommandTest, PicksGoOnlyToAgentsWhoseElementTypeTheObjectOffers) {
  TestCommand* command = Start();
  VexBaseUnknown_var element(new Plain);
  EXPECT_FALSE(session.Pick(VexBaseUnknown_var(new Plain)));
  EXPECT_TRUE(session.Pick(VexBaseUnknown_var(new Navigable), element));
  EXPECT_EQ(command->pick->GetElementValue(), element);
  panel->PressOK();
  EXPECT_FALSE(session.Pick(VexBaseUnknown_var(new Navigable)));  // the command has ended
}

TEST_F(StateCommandTest, AContextualMenuIsFilledChosenFromAndEnded) {
  TestCommand* command = Start();
  ASSERT_TRUE(session.RequestContextMenu(VexBaseUnknown_var(new Navigable)));
  ASSERT_NE(session.GetContextMenu(), nullptr);
  EXPECT_EQ(session.GetContextMenu()->GetChildren().size(), 2u);
  session.ChooseContextMenuItem("Edit");
  EXPECT_EQ(session.GetContextMenu(), nullptr);
  EXPECT_EQ(trail, (std::vector<std::string>{"activate 0", "menu shown", "edit chosen",
                                             "menu ended"}));

  command->failEdit = true;
  ASSERT_TRUE(session.RequestContextMenu(VexBaseUnknown_var(new Navigable)));
  EXPECT_THROW(session.ChooseContextMenuItem("Edit"), VexInputError);
  EXPECT_EQ(session.GetContextMenu(), nullptr);
  EXPECT_EQ(trail.back(), "menu ended") << "the menu ends even when the chosen entry fails";
  panel->PressOK();
}

TEST_F(StateCommandTest, AMenuLeftEmptyEndsAtOnceAndADismissedOneEndsToo) {
  TestCommand* command = Start();
  command->withEntries = false;
  EXPECT_TRUE(session.RequestContextMenu(VexBaseUnknown_var(new Navigable)));
  EXPECT_EQ(session.GetContextMenu(), nullptr);
  command->withEntries = true;
  EXPECT_TRUE(session.RequestContextMenu(VexBaseUnknown_var(new Navigable)));
  session.DismissContextMenu();
  EXPECT_EQ(std::count(trail.begin(), trail.end(), "menu ended"), 2);
  EXPECT_THROW(session.DismissContextMenu(), VexInputError);
  panel->PressOK();
}
