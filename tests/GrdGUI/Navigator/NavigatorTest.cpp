// The Navigator page as a designer uses it: the lists of linked nodes and branches, the graph of
// the selection, the neighbourhood of a chosen or picked object, and leaving the page.
#include "NavigatorFixture.h"
#include "VexCSO.h"
#include "VexDlgMultiList.h"
#include "VexGrdNavigViewer.h"
#include "VexHSO.h"
#include "VexSession.h"

namespace {

// Something a selection can hold that is no network object.
class PlainObject : public VexBaseUnknown {};

using Labels = std::vector<std::string>;

Labels LabelsOf(const std::vector<VexBaseUnknown_var>& objects) {
  Labels labels;
  for (const auto& object : objects) labels.push_back(LabelOf(object));
  return labels;
}

}  // namespace

class NavigatorPageTest : public NavigatorTest {
 protected:
  // BUS1 has two branches and a motor, its branch to BUS2 a conduit; BUS4 stands alone.
  void SetUp() override {
    motor_ = MakeStarAroundBus1();
    LinkToBranch("BUS1", "BUS2", VexIAECElement_var(Conduit("C1", {{0, 0, 0}, {1000, 0, 0}})));
  }
  VexVar<VexPlantElement> motor_;
};

TEST_F(NavigatorPageTest, ListsShowLinkedObjectsMarkedAndShowAllAddsTheOthersBlank) {
  OpenNavigator();
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("NodeMultiList").GetColumnTitle(1),
            Text("GrdGUI_AssociateTab_NodeIdColumn"));
  EXPECT_EQ(Rows("NodeMultiList"), Labels({"X|BUS1"}));
  EXPECT_EQ(Rows("BranchMultiList"), Labels({"X|BUS1|BUS2"}));

  Ui().Check("NavigatorTab/ShowAllCheck", true);
  EXPECT_EQ(Rows("NodeMultiList"), Labels({"X|BUS1", " |BUS2", " |BUS3", " |BUS4"}));
  EXPECT_EQ(Rows("BranchMultiList"), Labels({"X|BUS1|BUS2", " |BUS1|BUS3"}));

  Ui().Check("NavigatorTab/ShowAllCheck", false);
  EXPECT_EQ(Rows("NodeMultiList"), Labels({"X|BUS1"}));
}

TEST_F(NavigatorPageTest, TheSelectionsNetworkObjectsBecomeTheGraphsRoots) {
  SelectPaths({VexBaseUnknown_var(Project().SearchForNodeId("BUS4")),
               VexBaseUnknown_var(new PlainObject), VexBaseUnknown_var(motor_)});
  OpenNavigator();
  EXPECT_EQ(Roots(), Labels({"BUS4", "M1"}));
  // Depth 2: each root with what it connects to.
  EXPECT_NE(Drawing().find("BUS4\nM1\n  BUS1"), std::string::npos) << Drawing();
}

TEST_F(NavigatorPageTest, ChoosingANodeShowsItsNeighboursOrItselfHighlighted) {
  OpenNavigator();
  Ui().Check("NavigatorTab/ShowAllCheck", true);
  Editor().GetHSO()->AddElement(VexBaseUnknown_var(motor_));
  ChooseRow("NodeMultiList", 1, "BUS1");
  EXPECT_EQ(Roots(), Labels({"BUS1->BUS2", "BUS1->BUS3", "M1"}));
  EXPECT_TRUE(Highlighted().empty()) << "a node with neighbours highlights nothing";
  EXPECT_NE(Drawing().find("BUS1->BUS2"), std::string::npos) << "drawn at once: " << Drawing();

  ChooseRow("NodeMultiList", 1, "BUS4");
  EXPECT_EQ(Roots(), Labels({"BUS4"}));
  EXPECT_EQ(Highlighted(), Labels({"BUS4"}));
}

TEST_F(NavigatorPageTest, LeavingTheNavigatorMakesTheRootsTheSelection) {
  OpenNavigator();
  ChooseRow("BranchMultiList", 1, "BUS1");
  ASSERT_EQ(Roots(), Labels({"BUS1", "BUS2", "C1"}));

  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  EXPECT_EQ(LabelsOf(Editor().GetCSO()->GetLeaves()), Labels({"BUS1", "BUS2", "C1"}));
  EXPECT_TRUE(Roots().empty());

  Ui().SelectPage("TabContainer", VexGrdPanel::kNavigatorTab);
  EXPECT_EQ(Roots(), Labels({"BUS1", "BUS2", "C1"})) << "back on the page, the selection shows";
  ASSERT_TRUE(VexSession::GetSession().Pick(VexBaseUnknown_var(Project().SearchForNodeId("BUS1"))));
  EXPECT_EQ(Roots(), Labels({"BUS1->BUS2", "BUS1->BUS3", "M1"})) << "a pick shows its neighbours";
}

using NavigatorViewerTest = NavigatorTest;

TEST_F(NavigatorViewerTest, WithoutAnEditorTheViewerHasNoBox) {
  CloseDocument();
  StartCommand();
  auto& viewer = Ui().Get<VexGrdNavigViewer>("VexGrdNavigViewer");
  EXPECT_EQ(viewer.GetGraphViewer(), nullptr);
  EXPECT_EQ(viewer.GetController(), nullptr);
  EXPECT_FALSE(Ui().Exists("WindowBox"));
}
