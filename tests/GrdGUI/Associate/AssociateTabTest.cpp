// The Associate page: what it lists, which controls it offers, and linking through the Link button.
#include "AssociateTest.h"
#include "VexCSO.h"
#include "VexDlgMultiList.h"
#include "VexGrdAssociateFrm.h"
#include "VexDocumentTransaction.h"
#include "VexSession.h"
#include "VexTrace.h"

using Rows_ = std::vector<std::string>;

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
  auto& nodes = Ui().Get<VexDlgMultiList>("AssociateTab/VexNodeList");
  EXPECT_EQ(nodes.GetColumnTitle(1), Text("GrdGUI_AssociateTab_NodeIdColumn"));

  Ui().Check("AssociateTab/ShowAllCheck", true);
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N1", "X|N2", " |N3"}));
  EXPECT_EQ(Rows("VexBranchList"), (Rows_{"X|N1|N2", " |N2|N3"}));
  Ui().Check("AssociateTab/ShowAllCheck", false);
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N1", " |N3"}));
}

TEST_F(AssociateTest, ARowLinksTheElementItShowsEvenBehindAnUnnamedElement) {
  AddNodes({"N1"});
  auto unnamed = Conduit("");
  auto conduit = Conduit("C-1");
  auto motor = AddElement("M-1", VexElementKind::Equipment, {}, "");
  OpenPage({unnamed, conduit, motor});

  EXPECT_EQ(Rows("LstOfSelObj"), (Rows_{"C-1|Conduit 50 mm", "M-1|"}));
  EXPECT_TRUE(Usable("AssociateTab/CreateNewNode"));
  EXPECT_TRUE(Usable("AssociateTab/CreateNewBranch"));

  SelectRowShowing("VexNodeList", 1, "N1");
  Ui().SelectRows("AssociateTab/LstOfSelObj", {1});
  Ui().Push("AssociateTab/LinkObjBtn");
  // Mapping row 1 to the second element of the selection would have linked C-1.
  EXPECT_EQ(LinkedToNode("N1"), (Rows_{"M-1"}));
}

TEST_F(AssociateTest, AnUnnamedElementAloneOffersNothingToCreate) {
  OpenPage({Conduit("")});
  EXPECT_TRUE(Rows("LstOfSelObj").empty());
  EXPECT_FALSE(Usable("AssociateTab/CreateNewNode"));
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
  auto chooseNode = [&] { SelectRowShowing("VexNodeList", 1, "N1"); };
  auto pickInViewer = [&] {
    VexSession::GetSession().Pick(VexBaseUnknown_var(conduit), VexBaseUnknown_var(conduit));
  };
  auto pickRow = [&] { Ui().SelectRows("AssociateTab/LstOfSelObj", {0}); };
  auto deselectAll = [&] { Ui().Push("AssociateTab/DeSelObjsBtn"); };
  auto selectAll = [&] { Ui().Push("AssociateTab/SelAllObjsBtn"); };
  auto chooseBranch = [&] { SelectRowShowing("VexBranchList", 1, "N1"); };
  auto letBranchGo = [&] { Ui().SelectRows("AssociateTab/VexBranchList", {}); };
  const std::vector<Step> steps{
      {"opened", [] {}, false, false, false, false},
      {"node chosen, nothing selected", chooseNode, false, false, false, false},
      {"element picked in the viewer", pickInViewer, true, true, true, false},
      {"element row picked", pickRow, true, true, true, true},
      {"deselect all", deselectAll, true, true, true, false},
      {"select all", selectAll, true, true, true, true},
      {"branch chosen", chooseBranch, true, true, true, false},
      {"branch let go", letBranchGo, false, false, false, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.action();
    EXPECT_EQ(Usable("AssociateTab/LstOfSelObj"), step.list);
    EXPECT_EQ(Usable("AssociateTab/SelAllObjsBtn"), step.selectAll);
    EXPECT_EQ(Usable("AssociateTab/DeSelObjsBtn"), step.deselectAll);
    EXPECT_EQ(Usable("AssociateTab/LinkObjBtn"), step.link);
  }
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("AssociateTab/VexNodeList").GetSelectCount(), 0)
      << "choosing a branch lets the node go";
}

TEST_F(AssociateTest, LeavingNoElementRowPickedIsReportedAndDisablesLink) {
  AddNodes({"N1"});
  OpenPage({Conduit("C-1")});
  SelectRowShowing("VexNodeList", 1, "N1");
  Ui().SelectRows("AssociateTab/LstOfSelObj", {0});
  Ui().SelectRows("AssociateTab/LstOfSelObj", {});
  EXPECT_EQ(LastMessage(), "1|" + Text("GrdGUI_AssociateTab_ErrorDialogTitle").str() + "|" +
                               Text("GrdGUI_ProjTab_ErrorDialogTitle").str());
  EXPECT_FALSE(Usable("AssociateTab/LinkObjBtn"));
}

TEST_F(AssociateTest, LinkLinksThePickedRowsToTheChosenNodeAndResetsThePage) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("C-1"), Conduit("C-2"), Conduit("C-3")});
  SelectRowShowing("VexNodeList", 1, "N1");
  Ui().SelectRows("AssociateTab/LstOfSelObj", {0, 2});
  VexTraceCapture capture;
  Ui().Push("AssociateTab/LinkObjBtn");

  EXPECT_EQ(capture.Count("Associating objects: 2"), 1);
  EXPECT_EQ(LinkedToNode("N1"), (Rows_{"C-1", "C-3"}));
  EXPECT_EQ(Rows("VexNodeList"), (Rows_{" |N2"})) << "N1 has plant elements now";
  EXPECT_EQ(Rows("LstOfSelObj").size(), 3u) << "the selection is listed again";
  EXPECT_FALSE(Usable("AssociateTab/LstOfSelObj"));
  EXPECT_FALSE(Usable("AssociateTab/LinkObjBtn"));
}

TEST_F(AssociateTest, AFailingLinkIsShownOnceAndTheFollowingElementsAreStillLinked) {
  AddNodes({"N1"});
  auto first = Conduit("C-1");
  auto gone = Conduit("C-2");
  auto last = Conduit("C-3");
  OpenPage({first, gone, last});
  {
    // Deleted behind the page's back: its row is still shown, but the document refuses a link.
    VexDocumentTransaction transaction(Document());
    Document().DeleteElement(*gone);
    transaction.Commit();
  }
  SelectRowShowing("VexNodeList", 1, "N1");
  Ui().Push("AssociateTab/SelAllObjsBtn");
  int before = MessageCount();
  VexTraceCapture capture;
  Ui().Push("AssociateTab/LinkObjBtn");

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
  EXPECT_TRUE(
      VexSession::GetSession().Pick(VexBaseUnknown_var(picked), VexBaseUnknown_var(picked)));
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
