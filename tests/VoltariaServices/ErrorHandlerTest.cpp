#include <gtest/gtest.h>

#include "VexGrdErrorHandler.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexScriptedUser.h"
#include "VexSession.h"

namespace {

class ErrorHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<VexScriptedUser>();
    user = scripted.get();
    VexSession::GetSession().SetUser(std::move(scripted));
    Log().Clear();
  }
  static VexUserLog& Log() { return VexSession::GetSession().GetUserLog(); }

  VexScriptedUser* user = nullptr;
  VexGrdErrorHandler handler;
};

}  // namespace

TEST_F(ErrorHandlerTest, ReportsAreAcknowledgedMessagesOfTheirKind) {
  const struct {
    int displayKind;
    int windowKind;  // the notify window's: 3 error, 2 warning, 1 information
  } cases[] = {{1, 3}, {2, 2}, {3, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.displayKind);
    Log().Clear();
    EXPECT_EQ(handler.DisplayErrorPnl(c.displayKind, "Invalid Master File", "Project"), 0);
    ASSERT_EQ(Log().GetCount(), 1);
    VexUserLogEntry entry = Log().GetLast();
    EXPECT_EQ(entry.form, VexUserLogEntry::Form::Message);
    EXPECT_EQ(entry.kind, c.windowKind);
    EXPECT_EQ(entry.title, VexUnicodeString("Project"));
    EXPECT_EQ(entry.text, VexUnicodeString("Invalid Master File"));
  }
}

TEST_F(ErrorHandlerTest, KindFourAsksAndReturnsTheAnswer) {
  user->QueueYes();
  user->QueueNo();
  EXPECT_EQ(handler.DisplayErrorPnl(4, "Create the file?", "Project"), 1);
  EXPECT_EQ(handler.DisplayErrorPnl(4, "Create the file?", "Project"), 0);
  EXPECT_EQ(Log().GetLast().form, VexUserLogEntry::Form::Question);
  EXPECT_THROW(handler.DisplayErrorPnl(4, "Nobody answers this?", "Project"), VexInternalError);
}

TEST_F(ErrorHandlerTest, CaughtErrorsShowTheirCatalogTextUnderTheKindsTitle) {
  VexGrdUtilitiesInputErr error(2, "EdsaProgramMissing", {"scac3p.exe", "/opt/edsa"});
  EXPECT_EQ(handler.DisplayError(2, &error), 0);
  VexUserLogEntry entry = Log().GetLast();
  EXPECT_EQ(entry.title, VexUnicodeString("Warning"));
  EXPECT_EQ(entry.text, error.GetMessageText());
  EXPECT_NE(entry.text.str().find("scac3p.exe"), std::string::npos);
  EXPECT_THROW(handler.DisplayError(2, nullptr), VexInternalError);
}

TEST_F(ErrorHandlerTest, UnknownKindsAreRefusedNotDropped) {
  for (int kind : {0, 5, -1}) {
    EXPECT_THROW(handler.DisplayErrorPnl(kind, "text", "title"), VexInternalError) << kind;
  }
  EXPECT_EQ(Log().GetCount(), 0);
}
