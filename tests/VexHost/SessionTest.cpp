#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "VexApplicationFrame.h"
#include "VexDlgDialog.h"
#include "VexDlgNotify.h"
#include "VexDlgPushButton.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexTransactionHandler.h"
#include "VexUiDriver.h"

namespace {

class FakeDocument : public VexTransactionHandler {
 public:
  void BeginEvent() override { calls.push_back("begin"); }
  void CommitEvent() override {
    calls.push_back("commit");
    if (failCommit) throw VexInputError(2, "DocumentWriteFailed", kVexHostCatalog, {"plant.db", "disk full"});
  }
  void RollbackEvent() override { calls.push_back("rollback"); }
  std::vector<std::string> calls;
  bool failCommit = false;
};

// A frame whose button does what the test asks of it.
class Frame : public VexDlgDialog {
 public:
  Frame() : VexDlgDialog(nullptr, "Frame") {
    SetVisibility(kShown);
    button = new VexDlgPushButton(this, "Go");
    AddAnalyseNotificationCB(button, button->GetPushBActivateNotification(), &Frame::OnGo, nullptr);
  }
  void OnGo(VexCommand*, VexNotification*, void*) { onGo(); }
  VexDlgPushButton* button;
  std::function<void()> onGo = [] {};
};

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestResources resources;
    auto scripted = std::make_unique<VexScriptedUser>();
    user = scripted.get();
    session.SetUser(std::move(scripted));
    session.GetUserLog().Clear();
    session.AddTransactionHandler(&document);
  }
  void TearDown() override { session.RemoveTransactionHandler(&document); }

  VexSession& session = VexSession::GetSession();
  VexScriptedUser* user = nullptr;
  FakeDocument document;
  VexVar<Frame> frame{new Frame};
  VexUiDriver ui{frame.get()};
};

}  // namespace

TEST_F(SessionTest, ANormalEventCommitsAndAFailingOneRollsBackReportsAndRethrows) {
  ui.Push("Go");
  EXPECT_EQ(document.calls, (std::vector<std::string>{"begin", "commit"}));

  document.calls.clear();
  frame->onGo = [] { throw VexInputError(1, "ProgramStartFailed", kVexHostCatalog, {"edsa", "missing"}); };
  EXPECT_THROW(ui.Push("Go"), VexInputError);
  EXPECT_EQ(document.calls, (std::vector<std::string>{"begin", "rollback"}));
  EXPECT_EQ(session.GetUserLog().GetLast().form, VexUserLogEntry::Form::Error);
  EXPECT_EQ(session.GetUserLog().GetLast().text,
            "The program edsa could not be started: missing.");

  document.calls.clear();
  frame->onGo = [this] { session.RunEvent("inner", [] {}); };
  ui.Push("Go");
  EXPECT_EQ(document.calls, (std::vector<std::string>{"begin", "commit"}))
      << "an event inside an event is part of it";
}

TEST_F(SessionTest, AFailedCommitRollsBackAndTheReturnModeHandsTheErrorBack) {
  document.failCommit = true;
  std::exception_ptr error = session.RunEvent("save", [] {}, VexSession::ErrorMode::Return);
  ASSERT_TRUE(error);
  EXPECT_EQ(document.calls, (std::vector<std::string>{"begin", "commit", "rollback"}));
  EXPECT_EQ(session.GetUserLog().CountContaining("disk full"), 1);
}

TEST_F(SessionTest, AnUnexpectedQuestionFailsWithItsText) {
  frame->onGo = [this] {
    auto* notify = new VexDlgNotify(frame.get(), "Question");
    notify->DisplayBlockedQuestion("Remove 3 nodes?", "Synchronize");
    notify->RequestDelayedDestruction();
  };
  try {
    ui.Push("Go");
    FAIL() << "the question should have failed";
  } catch (const VexInternalError& error) {
    EXPECT_EQ(error.GetMessageText(),
              "A question was asked that nobody answered: Synchronize: Remove 3 nodes?");
  }
  EXPECT_EQ(document.calls.back(), "rollback");
}

TEST_F(SessionTest, QueuedAnswersAreTakenInOrderAndLogged) {
  std::vector<int> answers;
  frame->onGo = [&] {
    auto* notify = new VexDlgNotify(frame.get(), "Notify");
    answers.push_back(notify->DisplayBlockedQuestion("Create?", "File"));
    notify->DisplayBlocked("Created.", "File");
    answers.push_back(notify->DisplayBlockedQuestion("Again?", "File"));
    notify->RequestDelayedDestruction();
  };
  ui.AnswerYes();
  ui.AnswerNo();
  ui.Push("Go");
  EXPECT_EQ(answers, (std::vector<int>{1, 0}));
  EXPECT_EQ(user->GetPendingCount(), 0);
  EXPECT_EQ(session.GetUserLog().ToText(),
            "question \"File\": Create? -> yes\n"
            "message 1 \"File\": Created. -> acknowledged\n"
            "question \"File\": Again? -> no\n");

  frame->onGo = [this] { session.AskYesNo("Title", "Proceed?"); };
  ui.AnswerFile("/tmp/a.mas");
  EXPECT_THROW(ui.Push("Go"), VexInternalError) << "an answer of the wrong form fails loudly";
}

TEST_F(SessionTest, TheBusyCursorLastsOneEvent) {
  bool busyDuringEvent = false;
  frame->onGo = [&] {
    VexApplicationFrame::GetFrame()->SetBusyCursor();
    busyDuringEvent = VexApplicationFrame::GetFrame()->IsBusy();
  };
  ui.Push("Go");
  EXPECT_TRUE(busyDuringEvent);
  EXPECT_FALSE(VexApplicationFrame::GetFrame()->IsBusy());
}
