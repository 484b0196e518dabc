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

TEST_F(ErrorHandlerTest, ReportsAreAcknowledgedMessagesOfTheirKindAndOtherKindsAreRefused) {
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
  Log().Clear();
  for (int kind : {0, 5, -1}) {
    EXPECT_THROW(handler.DisplayErrorPnl(kind, "text", "title"), VexInternalError) << kind;
  }
  EXPECT_EQ(Log().GetCount(), 0) << "unknown kinds are refused, not dropped";
}
