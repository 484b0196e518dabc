#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "VexApplicationFrame.h"
#include "VexDlgCheckButton.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgFrame.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgSelectorList.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexSession.h"

namespace {

const char* ChangeName(VexDialogChange change) {
  switch (change) {
    case VexDialogChange::State: return "state";
    case VexDialogChange::Selection: return "selection";
    case VexDialogChange::Visibility: return "visibility";
    case VexDialogChange::Sensitivity: return "sensitivity";
    case VexDialogChange::Title: return "title";
    case VexDialogChange::Cursor: return "cursor";
    case VexDialogChange::ChildAdded: return "added";
    case VexDialogChange::ChildRemoved: return "removed";
    case VexDialogChange::Destroyed: return "destroyed";
  }
  return "?";
}

// Records "<widget> <change>[ <child>]" for every change; the names of destroyed widgets and of
// children still under construction are taken from the addresses recorded earlier.
class ChangeRecorder : public VexDialogObserver {
 public:
  ChangeRecorder() { VexDialog::AddChangeObserver(this); }
  ~ChangeRecorder() override { VexDialog::RemoveChangeObserver(this); }
  void OnDialogChanged(VexDialog& widget, VexDialogChange change, VexDialog* child) override {
    std::string line = NameOf(&widget) + " " + ChangeName(change);
    if (child) line += " " + NameOf(child);
    changes.push_back(line);
  }
  std::vector<std::string> changes;

 private:
  static std::string NameOf(VexDialog* widget) { return widget->GetName(); }
};

class Tree {
 public:
  Tree() {
    VexApplicationFrame::GetFrame();  // the session builds its main window on first use
    dialog = new VexDlgDialog(nullptr, "Dlg");
    dialog->SetVisibility(VexDialog::kShown);
    tabs = new VexDlgTabContainer(dialog, "Tabs");
    new VexDlgTabPage(tabs, "PageA");
    new VexDlgTabPage(tabs, "PageB");
    editor = new VexDlgEditor(tabs->GetPage(0), "Edt");
    button = new VexDlgPushButton(tabs->GetPage(0), "Btn");
    check = new VexDlgCheckButton(tabs->GetPage(0), "Chk");
    combo = new VexDlgCombo(tabs->GetPage(0), "Cmb");
    combo->SetLine(VexListValVexUnicodeString{"a", "b"});
    selector = new VexDlgSelectorList(tabs->GetPage(0), "Sel");
    list = new VexDlgMultiList(tabs->GetPage(0), "Lst");
    list->SetColumnItem(0, "r0");
    list->SetColumnItem(0, "r1");
    dialog->AddRef();
  }
  ~Tree() { dialog->Release(); }
  VexDlgDialog* dialog;
  VexDlgTabContainer* tabs;
  VexDlgEditor* editor;
  VexDlgPushButton* button;
  VexDlgCheckButton* check;
  VexDlgCombo* combo;
  VexDlgSelectorList* selector;
  VexDlgMultiList* list;
};

struct ChangeCase {
  const char* name;
  std::function<void(Tree&)> act;
  std::vector<std::string> expected;
};

class DialogChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(DialogChangeTest, TellsTheObserverWhatChanged) {
  Tree tree;
  ChangeRecorder recorder;
  GetParam().act(tree);
  EXPECT_EQ(recorder.changes, GetParam().expected);
}

// Programmatic setters and a person's actions both change state, so both are told.
INSTANTIATE_TEST_SUITE_P(
    Widgets, DialogChangeTest,
    ::testing::Values(
        ChangeCase{"EditorText", [](Tree& t) { t.editor->SetText("x"); }, {"Edt state"}},
        ChangeCase{"EditorTyped", [](Tree& t) { t.editor->TypeText("y"); }, {"Edt state"}},
        ChangeCase{"EditorCleared", [](Tree& t) { t.editor->ClearLine(); }, {"Edt state"}},
        ChangeCase{"CheckByUser", [](Tree& t) { t.check->SetCheckedByUser(true); }, {"Chk state"}},
        ChangeCase{"CheckSet", [](Tree& t) { t.check->SetState(1); }, {"Chk state"}},
        ChangeCase{"ComboLines", [](Tree& t) { t.combo->SetLine("c"); }, {"Cmb state"}},
        ChangeCase{"ComboChosen", [](Tree& t) { t.combo->SelectLineByUser(1); }, {"Cmb selection"}},
        ChangeCase{"ComboCleared", [](Tree& t) { t.combo->ClearLine(); }, {"Cmb state"}},
        ChangeCase{"SelectorCleared", [](Tree& t) { t.selector->ClearLine(); }, {"Sel state"}},
        ChangeCase{"ListCell", [](Tree& t) { t.list->SetColumnItem(1, "c", 0); }, {"Lst state"}},
        ChangeCase{"ListSelectedByUser", [](Tree& t) { t.list->SelectRowsByUser({1}); },
                   {"Lst selection"}},
        ChangeCase{"ListSelectionCleared", [](Tree& t) { t.list->ClearSelect(); },
                   {"Lst selection"}},
        ChangeCase{"ListCleared", [](Tree& t) { t.list->ClearLine(); }, {"Lst state"}},
        ChangeCase{"PageByUser", [](Tree& t) { t.tabs->SelectPageByUser(1); }, {"Tabs selection"}},
        ChangeCase{"OkSensitivity", [](Tree& t) { t.dialog->SetOKSensitivity(16); },
                   {"Dlg state"}},
        ChangeCase{"Hidden", [](Tree& t) { t.button->SetVisibility(4); }, {"Btn visibility"}},
        ChangeCase{"HiddenTwice",
                   [](Tree& t) {
                     t.button->SetVisibility(4);
                     t.button->SetVisibility(4);
                   },
                   {"Btn visibility"}},
        ChangeCase{"Insensitive", [](Tree& t) { t.button->SetSensitivity(16); },
                   {"Btn sensitivity"}},
        ChangeCase{"Title", [](Tree& t) { t.button->SetTitle("Go"); }, {"Btn title"}},
        ChangeCase{"BusyCursor", [](Tree& t) { t.dialog->SetCursor(VexDialog::kBusyCursor); },
                   {"Dlg cursor"}},
        ChangeCase{"ChildBuilt", [](Tree& t) { new VexDlgFrame(t.dialog, "New"); },
                   {"Dlg added New"}},
        ChangeCase{"ChildDeletedAfterEvent",
                   [](Tree& t) {
                     VexSession::GetSession().ScheduleDeletion(t.button);
                   },
                   {"PageA removed Btn", "Btn destroyed"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DialogChange, APushTellsNothingBecauseNothingOfTheTreeChanges) {
  Tree tree;
  ChangeRecorder recorder;
  tree.button->Push();
  EXPECT_EQ(recorder.changes, std::vector<std::string>{});
}

TEST(DialogChange, ReleasingATreeTellsEachChildsRemovalBeforeItsDestruction) {
  ChangeRecorder recorder;
  auto* dialog = new VexDlgDialog(nullptr, "Top");
  new VexDlgPushButton(dialog, "Only");
  dialog->AddRef();
  recorder.changes.clear();
  dialog->Release();
  EXPECT_EQ(recorder.changes,
            (std::vector<std::string>{"Top removed Only", "Only destroyed", "Top destroyed"}));
}

TEST(DialogChange, AnObserverThatLeftHearsNothing) {
  Tree tree;
  ChangeRecorder left, staying;
  tree.editor->SetText("a");
  VexDialog::RemoveChangeObserver(&left);
  tree.editor->SetText("b");
  EXPECT_EQ(left.changes, std::vector<std::string>{"Edt state"});
  EXPECT_EQ(staying.changes, (std::vector<std::string>{"Edt state", "Edt state"}));
}

// A front end that follows lines hears which line of a list changed and how; one that does not
// hears the list's State change as before.
TEST(DialogChange, AListTellsWhichLineWasAddedOrSetAndWhenItWasEmptied) {
  struct LineRecorder : ChangeRecorder {
    void OnListChanged(VexDialog& list, VexListChange change, int row) override {
      const char* names[] = {"reset", "appended", "replaced"};
      changes.push_back(std::string(list.GetName()) + " " + names[static_cast<int>(change)] + " " +
                        std::to_string(row));
    }
  };
  Tree tree;
  LineRecorder lines;
  ChangeRecorder plain;
  tree.list->SetColumnItem(0, "x", -1);
  tree.list->SetColumnItem(1, "y", tree.list->GetLineCount() - 1);
  tree.list->SetColumnItem(0, "z", 0);
  tree.list->ClearLine();
  tree.selector->SetLine("first");
  tree.selector->SetLine("again", 0);
  tree.selector->ClearLine();
  EXPECT_EQ(lines.changes, (std::vector<std::string>{"Lst appended 2", "Lst replaced 2", "Lst replaced 0",
                                                     "Lst reset -1", "Sel appended 0", "Sel replaced 0",
                                                     "Sel reset -1"}));
  EXPECT_EQ(plain.changes, (std::vector<std::string>{"Lst state", "Lst state", "Lst state", "Lst state",
                                                     "Sel state", "Sel state", "Sel state"}));
}

}  // namespace
