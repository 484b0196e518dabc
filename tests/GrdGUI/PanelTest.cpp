// The panel as a designer meets it: settings, page switching, closing, contextual menus.
#include "GrdGuiFixture.h"
#include "VexCSO.h"
#include "VexDlgTabContainer.h"
#include "VexPathElement.h"
#include "VexDlgWindow.h"
#include "VexError.h"
#include "VexSession.h"
#include "VexSettingRepository.h"
#include "VexTrace.h"

namespace {

void StorePrevTab(int tab) {
  VexSettingRepository* repository = VexSettingRepository::GetRepository("EdsaProject", 0, 1, nullptr);
  repository->WriteSetting("PrevTab", &tab, 1, 0);
  repository->SaveRepository();
  VexSettingRepository::ForgetLoadedRepositories();
}

// A selected object whose interface queries fail with an input error once armed: a way to make
// the selection processing inside a tab switch fail as a broken object of another program would.
class FailingObject : public VexBaseUnknown {
 public:
  bool armed = false;
  bool internal = false;
  VexBaseUnknown* QueryInterface(const VexIID& iid) override {
    if (armed && internal) throw VexInternalError(2, "PathWithoutLeaf", kVexHostCatalog);
    if (armed) throw VexInputError(2, "DocumentChangeRefused", kVexHostCatalog, {"plant", "refused"});
    return VexBaseUnknown::QueryInterface(iid);
  }
};

}  // namespace

using PanelTest = GrdGuiTest;

TEST_F(PanelTest, StartsOnTheRememberedTabAndSavesZeroWhenTheUserNeverSwitches) {
  StorePrevTab(3);
  StartCommand();
  EXPECT_EQ(Panel().GetVisibility(), VexDialog::kShown);
  EXPECT_EQ(Ui().Get<VexDlgTabContainer>("TabContainer").GetSelectedPage(), VexGrdPanel::kAnalysisTab);
  ClosePanel();
  EXPECT_FALSE(CommandRunning());
  // The remembered tab changes only when the person switches pages.
  EXPECT_EQ(ReadSettingElsewhere("int", "PrevTab", 1), "1 0\n");
}

// The close box does the same in the settings scenario, whose second run opens on Analysis.
TEST_F(PanelTest, TheTabSwitchedToLastIsSavedByCancelWhichEndsTheCommand) {
  MakeMasterFile();
  StartCommand();
  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  ClosePanel();
  EXPECT_FALSE(CommandRunning());
  EXPECT_EQ(VexSession::GetSession().GetActiveCommandCount(), 0);
  EXPECT_EQ(ReadSettingElsewhere("int", "PrevTab", 1),
            "1 " + std::to_string(VexGrdPanel::kResultsTab) + "\n");
}

TEST_F(PanelTest, WithoutAProjectEveryOtherPageIsRefusedWithTheProjectError) {
  CloseDocument();
  StartCommand();
  Ui().SelectPage("TabContainer", VexGrdPanel::kAssociateTab);
  EXPECT_EQ(Ui().Get<VexDlgTabContainer>("TabContainer").GetSelectedPage(), VexGrdPanel::kProjectTab);
  EXPECT_EQ(LastMessage(), "1|" + Text("GrdGUI_InvalidMasterFile").str() + "|" +
                               Text("GrdGUI_ProjTab_ChooseValidMasterFile").str());
  ClosePanel();
  // EDSA settings belong to a plant document: without one there is nothing to keep them for.
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(Folder().Path(), error)) {
    EXPECT_NE(entry.path().filename(), "EdsaProject.settings") << entry.path();
  }
}

// Labels come from each dialog class's resource file: a missing entry leaves a blank control.
TEST_F(PanelTest, EveryButtonAndLabelWithoutAnIconHasAText) {
  StartCommand();
  std::vector<std::string> blank;
  std::function<void(const VexDialog&)> visit = [&](const VexDialog& widget) {
    const std::string kind = widget.GetKindName();
    if ((kind == "VexDlgPushButton" || kind == "VexDlgLabel" || kind == "VexDlgCheckButton") &&
        widget.GetIconName().empty() && widget.GetTitle().IsEmpty()) {
      blank.push_back(widget.GetPathName());
    }
    for (const VexDialog* child : widget.GetChildren()) visit(*child);
  };
  visit(Panel());
  EXPECT_EQ(blank, std::vector<std::string>{});
}

TEST_F(PanelTest, GoToTabPageTakesOnlyPagesOneToEight) {
  StartCommand();
  auto& tabs = Ui().Get<VexDlgTabContainer>("TabContainer");
  for (int page : {1, 5, 0, 9, -1, 3}) {
    Panel().GoToTabPage(page);
    EXPECT_EQ(tabs.GetSelectedPage(), page >= 1 && page <= 5 ? page : 5) << page;
  }
  Panel().DisableOtherTabs();
  EXPECT_EQ(tabs.GetSelectedPage(), 0);
}

TEST_F(PanelTest, ContextMenusAreBuiltOnlyOnTheNavigatorPageAndTheAgentStaysArmed) {
  MakeMasterFile();
  AddNodes({"BUS1"});
  StartCommand();
  VexTraceCapture capture;
  auto node = Project().SearchForNodeId("BUS1");
  EXPECT_TRUE(VexSession::GetSession().RequestContextMenu(VexBaseUnknown_var(node)));
  EXPECT_EQ(VexSession::GetSession().GetContextMenu(), nullptr) << "an empty menu ends at once";
  EXPECT_TRUE(VexSession::GetSession().RequestContextMenu(VexBaseUnknown_var(node)))
      << "the agent is re-armed after each request";
  EXPECT_EQ(capture.Count("Other Tab Selected"), 2);
  EXPECT_EQ(capture.Count("Navigator Tab Selected"), 0);
}

TEST_F(PanelTest, LocateObjectsSelectsOnlyPlantElements) {
  MakeMasterFile();
  auto conduit = AddElement("C-101", VexElementKind::Conduit);
  StartCommand();
  VexListValVexIGrd3DComponent_var none;
  Select({VexBaseUnknown_var(conduit)});
  Panel().LocateObjects(&none);
  EXPECT_EQ(Editor().GetCSO()->GetSize(), 1) << "nothing to locate leaves the selection";

  auto other = AddElement("SWG-1", VexElementKind::Equipment);
  VexListValVexIGrd3DComponent_var components;
  components.Append(VexIGrd3DComponent_var(other));
  Panel().LocateObjects(&components);
  ASSERT_EQ(Editor().GetCSO()->GetSize(), 1);
  EXPECT_TRUE(VexIAECElement_var(VexLeafOf((*Editor().GetCSO())[1])) == VexIAECElement_var(other));
}

TEST_F(PanelTest, AnInputErrorWhileSwitchingIsShownAsAWarningAndTheProjectPageStays) {
  MakeMasterFile();
  StartCommand();
  VexVar<FailingObject> failing(new FailingObject);
  Editor().GetCSO()->AddElement(VexBaseUnknown_var(failing));
  failing->armed = true;
  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  failing->armed = false;
  EXPECT_EQ(Ui().Get<VexDlgTabContainer>("TabContainer").GetSelectedPage(), VexGrdPanel::kProjectTab);
  EXPECT_EQ(LastMessage().substr(0, 2), "2|") << LastMessage();
  EXPECT_NE(LastMessage().find("refused"), std::string::npos);
  ClosePanel();
  EXPECT_EQ(ReadSettingElsewhere("int", "PrevTab", 1), "1 0\n") << "back to the Project page";
}

TEST_F(PanelTest, AnInternalErrorWhileSwitchingReachesTheCallerAfterOneTraceLine) {
  MakeMasterFile();
  StartCommand();
  VexVar<FailingObject> failing(new FailingObject);
  Editor().GetCSO()->AddElement(VexBaseUnknown_var(failing));
  failing->armed = failing->internal = true;
  VexTraceCapture capture;
  EXPECT_THROW(Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab), VexInternalError);
  failing->armed = false;
  EXPECT_EQ(capture.Count("Internal Error in: VexGrdPanel : SelTab"), 1);
  EXPECT_EQ(capture.Count("<-- VexGrdPanel : SelTab"), 0) << "no exit line while the error propagates";
}
