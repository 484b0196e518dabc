// Creating a node or a branch through the create dialog, and what gets linked to it.
#include "AssociateTest.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgMultiList.h"
#include "VexSession.h"
#include "VexTrace.h"

using Lines = std::vector<std::string>;

class CreateNodeBranchTest : public AssociateTest {
 protected:
  VexDlgDialog& Dialog() { return Ui().Get<VexDlgDialog>("NodeBranchDlg"); }
  std::string EditorText() { return Ui().Get<VexDlgEditor>("NodeIdEdt").GetText().str(); }
  bool OKUsable() { return Dialog().GetOKSensitivity() == VexDialog::kSensitive; }
  Lines Combo(const char* id) { return LinesOf(Ui().Get<VexDlgCombo>(id)); }
};

TEST_F(CreateNodeBranchTest, TwoConduitsGetANewBranchWhichLeavesTheListAndIsNeverLinkedTwice) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("C-1"), Conduit("C-2")});
  Ui().Push("CreateNewBranch");
  EXPECT_EQ(Dialog().GetTitle(), Text("GrdGUI_NewNdBrDlg_BranchDlgTitle"));
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("NodeBranchDlg/LstOfObjs").GetLineCount(), 2);
  Ui().SelectLine("BrFromIdCmb", "N1");
  EXPECT_FALSE(OKUsable()) << "a branch needs both ends";
  Ui().SelectLine("BrToIdCmb", "N2");
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(OpenWindows("NodeBranchDlg"), 0);
  EXPECT_EQ(LinkedToBranch("N1", "N2"), (Lines{"C-1", "C-2"}));
  EXPECT_TRUE(MasterFileHas("Branch=N1,N2"));
  EXPECT_TRUE(Rows("VexBranchList").empty()) << "the branch has plant elements now";
  Ui().Check("AssociateTab/ShowAllCheck", true);
  EXPECT_EQ(Rows("VexBranchList"), (Lines{"X|N1|N2"}));

  ChooseRow("VexBranchList", 1, "N1");
  Ui().SelectRows("LstOfSelObj", {0});
  VexTraceCapture capture;
  Ui().Push("LinkObjBtn");
  EXPECT_EQ(capture.Count("Duplicate Association Averted"), 1);
  EXPECT_EQ(LinkedToBranch("N1", "N2"), (Lines{"C-1", "C-2"}));
}

TEST_F(CreateNodeBranchTest, ASingleElementsNameIsProposedWhenItCanBeANewNodeIdentifier) {
  AddNodes({"N1"});
  struct Case {
    const char* name;
    bool createNode;
    const char* proposal;
  };
  const Case cases[] = {
      {"BUS00001", true, "BUS00001"},  // 8 characters
      {"BUS000001", true, ""},         // 9 characters: never proposed
      {"ÜBERGANG", true, "ÜBERGANG"},  // 8 characters in 9 bytes
      {"N1", false, ""},               // a node already
  };
  OpenPage({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto element = Conduit(c.name);
    VexSession::GetSession().Pick(VexBaseUnknown_var(element), VexBaseUnknown_var(element));
    ASSERT_EQ(Usable("CreateNewNode"), c.createNode);
    EXPECT_TRUE(Usable("CreateNewBranch"));
    if (!c.createNode) continue;
    Ui().Push("CreateNewNode");
    EXPECT_EQ(EditorText(), c.proposal);
    EXPECT_EQ(OKUsable(), *c.proposal != '\0');
    Ui().PressCancel("NodeBranchDlg");
  }
}

TEST_F(CreateNodeBranchTest, OneDialogAtATimeAndCancelOrTheCloseBoxCreateAndLinkNothing) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("BUS1")});
  Ui().Push("CreateNewNode");
  Ui().Push("CreateNewNode");
  Ui().Push("CreateNewBranch");
  EXPECT_EQ(OpenWindows("NodeBranchDlg"), 1);
  EXPECT_TRUE(Ui().Exists("NodeBranchDlg/NodeIdEdt")) << "still the node dialog";
  Ui().PressCancel("NodeBranchDlg");
  Ui().Push("CreateNewBranch");
  Ui().SelectLine("BrFromIdCmb", "N1");
  Ui().SelectLine("BrToIdCmb", "N2");
  Ui().CloseWindow("NodeBranchDlg");

  EXPECT_EQ(OpenWindows("NodeBranchDlg"), 0);
  EXPECT_FALSE(Project().SearchForNodeId("BUS1"));
  EXPECT_FALSE(Project().SearchForBranchId("N1", "N2"));
  EXPECT_EQ(LinkedToNode("N1"), Lines{});
  EXPECT_EQ(Folder().Read("plant.mas"), "EDSA-MASTER 1\nNetworkType=3P\n");
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(CreateNodeBranchTest, AnExistingNodeIdentifierIsRefusedAndANewOneIsCreatedAndLinked) {
  AddNodes({"N1"});
  OpenPage({Conduit("C-1")});
  Ui().Push("CreateNewNode");
  EXPECT_EQ(Dialog().GetTitle(), Text("GrdGUI_NewNdBrDlg_NodeDlgTitle"));
  EXPECT_EQ(EditorText(), "C-1");

  Ui().Type("NodeIdEdt", "N1");
  EXPECT_EQ(LastMessage(), "2|Create New Node|Duplicate Node Id: Specify another");
  EXPECT_EQ(EditorText(), "");
  EXPECT_FALSE(OKUsable());
  Ui().Type("NodeIdEdt", "BUS7-LONGER");
  EXPECT_EQ(EditorText(), "BUS7-LON") << "at most 8 characters";
  Ui().Type("NodeIdEdt", "");
  EXPECT_TRUE(OKUsable()) << "a cleared identifier leaves OK available";
  Ui().PressOK("NodeBranchDlg");
  EXPECT_EQ(OpenWindows("NodeBranchDlg"), 0);
  EXPECT_EQ(Project().GetLstOfNodes()->Size(), 1) << "OK without an identifier creates no node";
  EXPECT_EQ(LinkedToNode("N1"), Lines{});

  Ui().Push("CreateNewNode");
  Ui().Type("NodeIdEdt", "BUS7");
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(LinkedToNode("BUS7"), (Lines{"C-1"}));
  EXPECT_TRUE(MasterFileHas("Node=BUS7"));
  EXPECT_EQ(Rows("VexNodeList"), (Lines{" |N1"}));
}

TEST_F(CreateNodeBranchTest, ANodeMadeWhileTheDialogWasOpenIsLinkedNotMadeAgain) {
  OpenPage({Conduit("BUS1")});
  Ui().Push("CreateNewNode");
  AddNodes({"BUS1"});
  InEvent([&] { Panel().UpdateModelNodeBranchData(); });
  int before = MessageCount();
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(MessageCount(), before) << VexSession::GetSession().GetUserLog().ToText();
  EXPECT_EQ(LinkedToNode("BUS1"), (Lines{"BUS1"}));
  EXPECT_TRUE(MasterFileHas("Node=BUS1"));
}

TEST_F(CreateNodeBranchTest, ToNodesAreOnlyThoseWithoutABranchFromTheChosenNode) {
  AddNodes({"N1", "N2", "N3"});
  AddBranch("N1", "N2");
  OpenPage({Conduit("C-1")});
  // Choosing BUS1 with a branch BUS1->BUS2 shows in the tour's transcript. The reverse branch
  // N2->N1 does not exist, so N1 is offered from N2.
  Ui().Push("CreateNewBranch");
  EXPECT_EQ(Combo("BrFromIdCmb"), (Lines{"N1", "N2", "N3"}));
  EXPECT_FALSE(Usable("BrToIdCmb"));
  Ui().SelectLine("BrFromIdCmb", "N2");
  EXPECT_EQ(Combo("BrToIdCmb"), (Lines{"N1", "N3"}));
  EXPECT_TRUE(Usable("BrToIdCmb"));
  EXPECT_FALSE(Usable("BrFromIdCmb")) << "the from node is chosen once";
}
