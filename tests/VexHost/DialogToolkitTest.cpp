#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "VexDialogText.h"
#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgFrame.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexUiDriver.h"

namespace {

std::vector<std::string> lifecycle;

class TestFrame : public VexDlgFrame {
 public:
  using VexDlgFrame::VexDlgFrame;
  const char* GetResourceFileName(int level) const override {
    return level == 0 ? "TestFrame" : VexDlgFrame::GetResourceFileName(level - 1);
  }
};

class TestDialog : public VexDlgDialog {
 public:
  TestDialog() : VexDlgDialog(nullptr, "TestDialog") {
    SetVisibility(kShown);
    auto* tabs = new VexDlgTabContainer(this, "Tabs");
    auto* pageA = new VexDlgTabPage(tabs, "PageA");
    auto* pageB = new VexDlgTabPage(tabs, "PageB");
    auto* frame = new TestFrame(pageA, "Frame");
    editor = new VexDlgEditor(frame, "NameEdt");
    editor->SetMaxCharacterWidth(4);
    button = new VexDlgPushButton(frame, "OkBtn");
    combo = new VexDlgCombo(frame, "KindCmb");
    combo->SetLine(VexListValVexUnicodeString{"alpha", "beta", "gamma"});
    list = new VexDlgMultiList(pageB, "RowsList", VexDlgMultiList::kMultipleSelection);
    check = new VexDlgCheckButton(pageB, "ShowChk");
    for (const char* text : {"r0", "r1", "r2"}) list->SetColumnItem(0, text);
    this->tabs = tabs;
  }
  // Level 0 names a file that does not exist; level 1 is the base class's file.
  const char* GetResourceFileName(int level) const override {
    return level == 0 ? "TestDialog" : level == 1 ? "TestDialogBase" : "";
  }

  VexDlgTabContainer* tabs;
  VexDlgEditor* editor;
  VexDlgPushButton* button;
  VexDlgCombo* combo;
  VexDlgMultiList* list;
  VexDlgCheckButton* check;
};

// A dialog that, like a module's child dialog, asks for its own destruction on OK.
class SelfClosingDialog : public VexDlgDialog {
 public:
  explicit SelfClosingDialog(VexDialog* parent) : VexDlgDialog(parent, "Child") {
    SetVisibility(kShown);
    AddAnalyseNotificationCB(this, GetDiaOKNotification(), &SelfClosingDialog::OnOK, nullptr);
  }
  void OnOK(VexCommand*, VexNotification*, void*) {
    lifecycle.push_back("own OK callback");
    RequestDelayedDestruction();
    RequestDelayedDestruction();  // a second request changes nothing
    lifecycle.push_back("own OK callback done");
  }

 protected:
  ~SelfClosingDialog() override { lifecycle.push_back("destroyed"); }
};

class Tracked : public VexDlgFrame {
 public:
  Tracked(VexDialog* parent, const char* identifier) : VexDlgFrame(parent, identifier) {}

 protected:
  ~Tracked() override { lifecycle.push_back(std::string("destroyed ") + GetName()); }
};

class SecondListener : public VexCommand {
 public:
  void OnOK(VexCommand*, VexNotification*, void*) { lifecycle.push_back("second callback"); }
};

class DialogToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override { lifecycle.clear(); }
  TestResources resources;
  VexVar<TestDialog> dialog{new TestDialog};
  VexUiDriver ui{dialog.get()};
};

struct ActionCase {
  const char* name;
  std::function<void(TestDialog&, VexUiDriver&)> act;
  int expectedNotifications;
};

}  // namespace

TEST_F(DialogToolkitTest, APersonsActionNotifiesAndACodeChangeWithNotifyZeroDoesNot) {
  const std::vector<ActionCase> cases = {
      {"push", [](TestDialog&, VexUiDriver& ui) { ui.Push("OkBtn"); }, 1},
      {"type", [](TestDialog&, VexUiDriver& ui) { ui.Type("NameEdt", "abc"); }, 1},
      {"set text silently", [](TestDialog& d, VexUiDriver&) { d.editor->SetText("abc", 0); }, 0},
      {"set text notifying", [](TestDialog& d, VexUiDriver&) { d.editor->SetText("abc", 1); }, 1},
      {"pick combo line", [](TestDialog&, VexUiDriver& ui) { ui.SelectLine("KindCmb", "beta"); }, 1},
      {"select combo silently", [](TestDialog& d, VexUiDriver&) { d.combo->SetSelect(2, 0); }, 0},
      {"select combo by text", [](TestDialog& d, VexUiDriver&) { d.combo->SetSelect("gamma", 1); }, 1},
      {"tab click", [](TestDialog&, VexUiDriver& ui) { ui.SelectPage("Tabs", 1); }, 1},
      {"page from code", [](TestDialog& d, VexUiDriver&) { d.tabs->SetSelectedPage(1, 0); }, 0},
      {"page without number", [](TestDialog& d, VexUiDriver&) { d.tabs->SetSelectedPage(7, 1); }, 0},
      {"select rows", [](TestDialog& d, VexUiDriver& ui) { d.tabs->SetSelectedPage(1, 0); ui.SelectRows("RowsList", {0, 2}); }, 1},
      {"select rows silently", [](TestDialog& d, VexUiDriver&) { int rows[] = {1}; d.list->SetSelect(rows, 1, 0); }, 0},
      {"check", [](TestDialog& d, VexUiDriver& ui) { d.tabs->SetSelectedPage(1, 0); ui.Check("ShowChk", true); }, 1},
      {"check silently", [](TestDialog& d, VexUiDriver&) { d.check->SetState(1, 0); }, 0},
      {"OK", [](TestDialog&, VexUiDriver& ui) { ui.PressOK(); }, 1},
      {"Cancel", [](TestDialog&, VexUiDriver& ui) { ui.PressCancel(); }, 1},
      {"close box", [](TestDialog&, VexUiDriver& ui) { ui.CloseWindow(); }, 1},
  };
  for (const ActionCase& c : cases) {
    SCOPED_TRACE(c.name);
    VexVar<TestDialog> fresh(new TestDialog);
    VexUiDriver freshUi(fresh.get());
    VexVar<NotificationRecorder> recorder(new NotificationRecorder);
    for (VexNotification* n :
         {fresh->button->GetPushBActivateNotification(), fresh->editor->GetEditModifyNotification(),
          fresh->combo->GetComboSelectNotification(), fresh->tabs->GetTabSelectNotification(),
          fresh->list->GetListSelectNotification(), fresh->check->GetChkBModifyNotification(),
          fresh->GetDiaOKNotification(), fresh->GetDiaCANCELNotification(),
          fresh->GetWindCloseNotification()}) {
      recorder->AddAnalyseNotificationCB(nullptr, n, &NotificationRecorder::Record, nullptr);
    }
    c.act(*fresh, freshUi);
    EXPECT_EQ(static_cast<int>(recorder->events.size()), c.expectedNotifications);
  }
}

TEST_F(DialogToolkitTest, APersonCannotUseWhatIsHiddenInsensitiveOrOnAnotherPage) {
  EXPECT_THROW(ui.Check("ShowChk", true), VexInputError);  // page B is not selected
  dialog->button->SetSensitivity(VexDialog::kInsensitive);
  EXPECT_THROW(ui.Push("OkBtn"), VexInputError);
  dialog->SetOKSensitivity(VexDialog::kInsensitive);
  EXPECT_THROW(ui.PressOK(), VexInputError);
  dialog->SetVisibility(VexDialog::kHidden);
  EXPECT_THROW(ui.Type("NameEdt", "x"), VexInputError);
  EXPECT_THROW(ui.Push("NoSuchButton"), VexInputError);
  EXPECT_THROW(ui.Push("NameEdt"), VexInputError);  // an editor is no button
}

TEST_F(DialogToolkitTest, ListsAndCombosKeepTheirRules) {
  VexVar<VexDlgMultiList> single(new VexDlgMultiList(nullptr, "Single"));
  single->SetColumnItem(0, "a");
  single->SetColumnItem(1, "b", 0);
  int two[] = {0, 0};
  EXPECT_THROW(single->SetSelect(two, 2, 0), VexInternalError);
  int beyond[] = {3};
  EXPECT_THROW(single->SetSelect(beyond, 1, 0), VexInternalError);
  VexUnicodeString cell;
  single->GetColumnItem(1, cell, 0);
  EXPECT_EQ(cell, "b");
  single->GetColumnItem(1, cell, 5);
  EXPECT_EQ(cell, "");

  dialog->combo->SetSelect(1, 0);
  dialog->combo->SetSelect("delta", 0);
  EXPECT_EQ(dialog->combo->GetSelect(), -1);  // an unknown text selects nothing
  VexUnicodeString line = "stale";
  dialog->combo->GetLine(-1, line);
  EXPECT_EQ(line, "");
  EXPECT_THROW(ui.SelectLine("KindCmb", "delta"), VexInputError);
  EXPECT_THROW(dialog->editor->SetSensitivity(3), VexInternalError);
}

// Rows of different widths, a column added once rows exist, and cells rewritten often enough to
// make the list drop the texts they replaced: every cell still reads back as last set, and a
// row shows only the cells up to the last one it was given.
TEST_F(DialogToolkitTest, ListCellsReadBackAsLastSetWhateverTheirHistory) {
  VexVar<VexDlgMultiList> list(new VexDlgMultiList(nullptr, "Cells"));
  list->SetColumnItem(0, "one");
  list->SetColumnItem(0, "two");
  list->SetColumnItem(2, "two-c", 1);  // widens every row; row 0 keeps one cell
  list->SetColumnItem(1, "", 0);       // an empty text is a cell all the same
  for (int round = 0; round < 2000; ++round) {
    list->SetColumnItem(1, VexUnicodeString("status " + std::to_string(round)), 1);
  }
  list->SetColumnItem(0, "three");
  std::vector<std::vector<std::string>> cells;
  for (int row = 0; row < list->GetLineCount(); ++row) {
    cells.emplace_back();
    for (int column = 0; column < 4; ++column) {
      VexUnicodeString cell;
      list->GetColumnItem(column, cell, row);
      cells.back().push_back(cell.str());
    }
  }
  EXPECT_EQ(cells, (std::vector<std::vector<std::string>>{{"one", "", "", ""},
                                                          {"two", "status 1999", "two-c", ""},
                                                          {"three", "", "", ""}}));
  EXPECT_NE(list->DescribeState().find("\n0: \"one\" \"\"\n1: \"two\" \"status 1999\" \"two-c\"\n2: \"three\""),
            std::string::npos)
      << list->DescribeState();
  EXPECT_THROW(list->SetColumnItem(0, "gap", 5), VexInternalError);
  list->ClearLine();
  EXPECT_EQ(list->GetLineCount(), 0);
  list->SetColumnItem(1, "again");
  VexUnicodeString cell;
  list->GetColumnItem(1, cell, 0);
  EXPECT_EQ(cell, "again");
}

TEST_F(DialogToolkitTest, ADialogDestroyedFromItsOwnNotificationDiesAfterTheDispatch) {
  auto* child = new SelfClosingDialog(dialog.get());
  VexVar<SecondListener> second(new SecondListener);
  second->AddAnalyseNotificationCB(child, child->GetDiaOKNotification(), &SecondListener::OnOK,
                                   nullptr);
  VexUiDriver childUi(child);
  childUi.PressOK();
  EXPECT_EQ(lifecycle, (std::vector<std::string>{"own OK callback", "own OK callback done",
                                                 "second callback", "destroyed"}));
  EXPECT_FALSE(ui.Exists("Child"));
}

TEST_F(DialogToolkitTest, DestroyingAWidgetDestroysItsSubtreeInCreationOrder) {
  auto* outer = new Tracked(dialog.get(), "Outer");
  new Tracked(outer, "First");
  auto* second = new Tracked(outer, "Second");
  new Tracked(second, "Inner");
  VexCommandDeletion(outer);  // no event runs: at once
  EXPECT_EQ(lifecycle, (std::vector<std::string>{"destroyed Outer", "destroyed First",
                                                 "destroyed Second", "destroyed Inner"}));
  EXPECT_FALSE(ui.Exists("Outer"));
}

TEST_F(DialogToolkitTest, LabelsComeFromTheNearestDialogResource) {
  EXPECT_EQ(dialog->editor->GetTitle(), "Name:");       // the frame's file wins over the dialog's
  EXPECT_EQ(dialog->button->GetTitle(), "Apply");
  EXPECT_EQ(dialog->combo->GetTitle(), "Kind:");        // the dialog's level-1 file
  EXPECT_EQ(dialog->GetTitle(), "Test Dialog");
  EXPECT_EQ(dialog->check->GetTitle(), "");             // no file has it
  dialog->combo->SetTitle("Explicit");
  EXPECT_EQ(dialog->combo->GetTitle(), "Explicit");
}

TEST_F(DialogToolkitTest, TheTreeRendersAsText) {
  dialog->button->SetSensitivity(VexDialog::kInsensitive);
  dialog->combo->SetSelect(1, 0);
  std::string text = VexRenderDialogText(dialog.get());
  EXPECT_NE(text.find("VexDlgDialog \"TestDialog\" title=\"Test Dialog\"\n"), std::string::npos);
  EXPECT_NE(text.find("        VexDlgPushButton \"OkBtn\" title=\"Apply\" [insensitive]\n"),
            std::string::npos);
  EXPECT_NE(text.find("lines=[\"alpha\", \"beta\", \"gamma\"] selected=1"), std::string::npos);
  EXPECT_NE(text.find("VexDlgTabPage \"PageA\" selected"), std::string::npos);
  EXPECT_NE(text.find("\n          0: \"r0\""), std::string::npos) << text;
  EXPECT_EQ(&ui.Find("PageB/RowsList"), dialog->list);
  EXPECT_EQ(dialog->editor->GetFatherWindow(), dialog.get());
}
