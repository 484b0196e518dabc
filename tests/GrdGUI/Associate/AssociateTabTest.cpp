// The Associate page: what it lists, which controls it offers, and linking through the Link button.
#include "AssociateTest.h"
#include "VexCSO.h"
#include "VexDlgMultiList.h"
#include "VexDocumentTransaction.h"
#include "VexGrdAssociateFrm.h"
#include "VexSession.h"
#include "VexTrace.h"

using Rows_ = std::vector<std::string>;

namespace {

void PickInViewer(const VexVar<VexPlantElement>& element) {
  ASSERT_TRUE(
      VexSession::GetSession().Pick(VexBaseUnknown_var(element), VexBaseUnknown_var(element)));
}

}  // namespace

TEST_F(AssociateTest, ListsUnlinkedNodesAndBranchesAndTheLinkedOnesMarkedXWithShowAll) {
  AddNodes({"N1", "N2", "N3"});
  AddBranch("N1", "N2");
  AddBranch("N2", "N3");
  auto conduit = Conduit("C-1");
  LinkToNode("N2", VexIAECElement_var(conduit));
  LinkToBranch("N1", "N2", VexIAECElement_var(conduit));
  OpenPage({});

  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N1", " |N3"}));
  EXPECT_EQ(Rows("VexBranchList"), (Rows_{" |N2|N3"}));
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("VexNodeList").GetColumnTitle(1),
            Text("GrdGUI_AssociateTab_NodeIdColumn"));
  Ui().Check("AssociateTab/ShowAllCheck", true);
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N1", "X|N2", " |N3"}));
  EXPECT_EQ(Rows("VexBranchList"), (Rows_{"X|N1|N2", " |N2|N3"}));
  Ui().Check("AssociateTab/ShowAllCheck", false);
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N1", " |N3"}));
}

TEST_F(AssociateTest, ARowLinksTheElementItShowsAndUnnamedElementsAreLeftOut) {
  AddNodes({"N1"});
  auto unnamed = Conduit("");
  auto motor = AddElement("M-1", VexElementKind::Equipment, {}, "");
  OpenPage({unnamed, Conduit("C-1"), motor});
  EXPECT_EQ(Rows("LstOfSelObj"), (Rows_{"C-1|Conduit 50 mm", "M-1|"}));
  EXPECT_TRUE(Usable("AssociateTab/CreateNewNode"));

  ChooseRow("VexNodeList", 1, "N1");
  Ui().SelectRows("LstOfSelObj", {1});
  Ui().Push("LinkObjBtn");
  // Mapping row 1 to the second element of the selection would have linked C-1.
  EXPECT_EQ(LinkedToNode("N1"), (Rows_{"M-1"}));

  PickInViewer(unnamed);
  EXPECT_TRUE(Rows("LstOfSelObj").empty());
  EXPECT_FALSE(Usable("AssociateTab/CreateNewNode")) << "an unnamed element offers nothing";
  EXPECT_FALSE(Usable("AssociateTab/CreateNewBranch"));
}

TEST_F(AssociateTest, TheElementControlsFollowTheChosenNodeOrBranch) {
  AddNodes({"N1", "N2"});
  AddBranch("N1", "N2");
  auto conduit = Conduit("C-1");
  OpenPage({});
  struct Step {
    const char* name;
    std::function<void()> action;
    bool list, selectAll, deselectAll, link;
  };
  const std::vector<Step> steps{
      {"opened", [] {}, false, false, false, false},
      {"node chosen, nothing selected", [&] { ChooseRow("VexNodeList", 1, "N1"); }, false, false,
       false, false},
      {"element picked in the viewer", [&] { PickInViewer(conduit); }, true, true, true, false},
      {"element row picked", [&] { Ui().SelectRows("LstOfSelObj", {0}); }, true, true, true, true},
      {"deselect all", [&] { Ui().Push("DeSelObjsBtn"); }, true, true, true, false},
      {"select all", [&] { Ui().Push("SelAllObjsBtn"); }, true, true, true, true},
      {"branch chosen", [&] { ChooseRow("VexBranchList", 1, "N1"); }, true, true, true, false},
      {"branch let go", [&] { Ui().SelectRows("VexBranchList", {}); }, false, false, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.action();
    EXPECT_EQ(Usable("LstOfSelObj"), step.list);
    EXPECT_EQ(Usable("SelAllObjsBtn"), step.selectAll);
    EXPECT_EQ(Usable("DeSelObjsBtn"), step.deselectAll);
    EXPECT_EQ(Usable("LinkObjBtn"), step.link);
  }
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("VexNodeList").GetSelectCount(), 0)
      << "choosing a branch lets the node go";
}

TEST_F(AssociateTest, LeavingNoElementRowPickedIsReportedAndDisablesLink) {
  AddNodes({"N1"});
  OpenPage({Conduit("C-1")});
  ChooseRow("VexNodeList", 1, "N1");
  Ui().SelectRows("LstOfSelObj", {0});
  Ui().SelectRows("LstOfSelObj", {});
  EXPECT_EQ(LastMessage(), "1|" + Text("GrdGUI_AssociateTab_ErrorDialogTitle").str() + "|" +
                               Text("GrdGUI_ProjTab_ErrorDialogTitle").str());
  EXPECT_FALSE(Usable("LinkObjBtn"));
}

TEST_F(AssociateTest, LinkLinksThePickedRowsToTheChosenNodeAndResetsThePage) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("C-1"), Conduit("C-2"), Conduit("C-3")});
  ChooseRow("VexNodeList", 1, "N1");
  Ui().SelectRows("LstOfSelObj", {0, 2});
  VexTraceCapture capture;
  Ui().Push("LinkObjBtn");

  EXPECT_EQ(capture.Count("Associating objects: 2"), 1);
  EXPECT_EQ(LinkedToNode("N1"), (Rows_{"C-1", "C-3"}));
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N2"})) << "N1 has plant elements now";
  EXPECT_EQ(Rows("LstOfSelObj").size(), 3u) << "the selection is listed again";
  EXPECT_FALSE(Usable("LstOfSelObj"));
  EXPECT_FALSE(Usable("LinkObjBtn"));
}

TEST_F(AssociateTest, AFailingLinkIsShownOnceAndTheFollowingElementsAreStillLinked) {
  AddNodes({"N1"});
  auto gone = Conduit("C-2");
  OpenPage({Conduit("C-1"), gone, Conduit("C-3")});
  {
    // Deleted behind the page's back: its row is still shown, but the document refuses a link.
    VexDocumentTransaction transaction(Document());
    Document().DeleteElement(*gone);
    transaction.Commit();
  }
  ChooseRow("VexNodeList", 1, "N1");
  Ui().Push("SelAllObjsBtn");
  int before = MessageCount();
  VexTraceCapture capture;
  Ui().Push("LinkObjBtn");

  EXPECT_EQ(MessageCount(), before + 1);
  VexUserLogEntry shown = VexSession::GetSession().GetUserLog().GetLast();
  EXPECT_EQ(shown.kind, 2);
  EXPECT_NE(shown.text.str().find(Document().GetPath().str()), std::string::npos) << shown.text;
  EXPECT_EQ(capture.Count("Caught Internal Error in: VexGrdAssociateFrm::AttachNdBrInfo"), 1);
  EXPECT_EQ(LinkedToNode("N1"), (Rows_{"C-1", "C-3"}));
}

TEST_F(AssociateTest, APickInTheViewerBecomesTheWholeListAndNoAgentEmptiesIt) {
  auto picked = Conduit("C-9");
  OpenPage({Conduit("C-1"), Conduit("C-2")});
  PickInViewer(picked);
  EXPECT_EQ(Rows("LstOfSelObj"), (Rows_{"C-9|Conduit 50 mm"}));
  EXPECT_EQ(Editor().GetCSO()->GetSize(), 1);

  int rows = -1;
  auto* page = dynamic_cast<VexGrdAssociateFrm*>(Panel().FindChild("Branch_Frame"));
  ASSERT_NE(page, nullptr);
  InEvent([&] { rows = page->UpdateObjectList(nullptr); });
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(Editor().GetCSO()->GetSize(), 0);
  EXPECT_FALSE(Usable("AssociateTab/CreateNewBranch"));
}
