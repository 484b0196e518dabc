#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "VexDlgDialog.h"
#include "VexFileMenuMethods.h"
#include "VexFmuServices.h"
#include "VexIFmuDocChooser.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexUiDriver.h"

namespace {

class ChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<VexScriptedUser>();
    user = scripted.get();
    VexSession::GetSession().SetUser(std::move(scripted));
    window->SetVisibility(VexDialog::kShown);
  }

  TestResources resources;
  VexScriptedUser* user = nullptr;
  VexVar<VexDlgDialog> window{new VexDlgDialog(nullptr, "Window")};
  VexVar<NotificationRecorder> recorder{new NotificationRecorder};
};

VexIFmuDocChooser* OpenChooser(VexDialog* parent, NotificationRecorder& recorder) {
  VexIFmuDocChooser* chooser =
      VexFileMenuMethods::CreateDocChooser(parent, "SelectEDSAFileDialogBox", 1, 512);
  VexUnicodeString texts[] = {"3Phase Master File (*.mas)", "DC Master File (*.mds)"};
  VexString patterns[] = {"*.mas", "*.mds"};
  chooser->SetFilters(texts, patterns, 2);
  chooser->SetCurrentFilter(0);
  chooser->SetVisibility(2);
  // Subscribing after showing works: the user answers after the current event.
  VexDlgDialog* dialog = chooser->GetDialog();
  recorder.AddAnalyseNotificationCB(dialog, dialog->GetDiaOKNotification(),
                                    &NotificationRecorder::Record, nullptr);
  recorder.AddAnalyseNotificationCB(dialog, dialog->GetDiaCANCELNotification(),
                                    &NotificationRecorder::Record, nullptr);
  return chooser;
}

}  // namespace

TEST_F(ChooserTest, AChosenFileComesBackThroughOK) {
  user->QueueFile("/plant/net.mas");
  VexIFmuDocChooser* chooser = nullptr;
  VexSession::GetSession().RunEvent("browse", [&] { chooser = OpenChooser(window.get(), *recorder); });
  EXPECT_EQ(recorder->events, (std::vector<std::string>{"SelectEDSAFileDialogBox:VexDlgNotification"}));
  ASSERT_EQ(chooser->HasChosenDocument(), 1);
  VexListValVexBaseUnknown_var documents = chooser->GetChosenDocuments();
  VexUnicodeString path;
  ASSERT_EQ(documents.Size(), 1);
  EXPECT_EQ(VexFmuServices::RetreivePath(documents[1], path), 0);
  EXPECT_EQ(path, "/plant/net.mas");
  EXPECT_EQ(VexFmuServices::RetreivePath(VexBaseUnknown_var(), path), 1);
  EXPECT_EQ(VexSession::GetSession().GetUserLog().GetLast().text,
            "3Phase Master File (*.mas), DC Master File (*.mds)");
  chooser->Release();
  EXPECT_FALSE(VexUiDriver(window.get()).Exists("SelectEDSAFileDialogBox"));
}

TEST_F(ChooserTest, ACancelledChoiceSendsCancelAndAHiddenChooserAsksNothing) {
  user->QueueFileCancel();
  VexIFmuDocChooser* cancelled = nullptr;
  VexIFmuDocChooser* hidden = nullptr;
  VexSession::GetSession().RunEvent("browse twice", [&] {
    cancelled = OpenChooser(window.get(), *recorder);
    hidden = OpenChooser(window.get(), *recorder);
    hidden->SetVisibility(4);
  });
  EXPECT_EQ(recorder->events.size(), 1u);  // the cancelled one only
  EXPECT_EQ(cancelled->HasChosenDocument(), 0);
  EXPECT_EQ(user->GetPendingCount(), 0);
  cancelled->Release();
  hidden->Release();
}
