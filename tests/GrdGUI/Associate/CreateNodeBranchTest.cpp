// Creating a node or a branch through the create dialog, and what gets linked to it.
#include <algorithm>

#include "AssociateTest.h"
#include "VexDlgCombo.h"
#include "VexDlgDialog.h"
#include "VexDlgEditor.h"
#include "VexDlgMultiList.h"
#include "VexSession.h"
#include "VexTrace.h"

namespace {

using Lines = std::vector<std::string>;

bool Contains(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

Lines ComboLines(const VexDlgCombo& combo) {
  Lines lines;
  for (int row = 0; row < combo.GetLineCount(); ++row) {
    VexUnicodeString line;
    combo.GetLine(row, line);
    lines.push_back(line.str());
  }
  return lines;
}

}  // namespace

class CreateNodeBranchTest : public AssociateTest {
 protected:
  VexDlgDialog& Dialog() { return Ui().Get<VexDlgDialog>("NodeBranchDlg"); }
  std::string EditorText() {
    return Ui().Get<VexDlgEditor>("NodeBranchDlg/NodeIdEdt").GetText().str();
  }
  bool OKUsable() { return Dialog().GetOKSensitivity() == VexDialog::kSensitive; }
};

TEST_F(CreateNodeBranchTest, TwoConduitsGetANewBranchWhichLeavesTheListAndIsNeverLinkedTwice) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("C-1"), Conduit("C-2")});
  Ui().Push("AssociateTab/CreateNewBranch");
  EXPECT_EQ(Dialog().GetTitle(), Text("GrdGUI_NewNdBrDlg_BranchDlgTitle"));
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("NodeBranchDlg/LstOfObjs").GetLineCount(), 2);
  Ui().SelectLine("NodeBranchDlg/BrFromIdCmb", "N1");
  EXPECT_FALSE(OKUsable()) << "a branch needs both ends";
  Ui().SelectLine("NodeBranchDlg/BrToIdCmb", "N2");
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(OpenDialogCount(), 0);
  EXPECT_EQ(LinkedToBranch("N1", "N2"), (Lines{"C-1", "C-2"}));
  EXPECT_TRUE(Contains(MasterFileLines(), "Branch=N1,N2"));
  EXPECT_TRUE(Rows("VexBranchList").empty()) << "the branch has plant elements now";
  Ui().Check("AssociateTab/ShowAllCheck", true);
  EXPECT_EQ(Rows("VexBranchList"), (Lines{"X|N1|N2"}));

  SelectRowShowing("VexBranchList", 1, "N1");
  Ui().SelectRows("AssociateTab/LstOfSelObj", {0});
  VexTraceCapture capture;
  Ui().Push("AssociateTab/LinkObjBtn");
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
    ASSERT_EQ(Usable("AssociateTab/CreateNewNode"), c.createNode);
    EXPECT_TRUE(Usable("AssociateTab/CreateNewBranch"));
    if (!c.createNode) continue;
    Ui().Push("AssociateTab/CreateNewNode");
    EXPECT_EQ(EditorText(), c.proposal);
    EXPECT_EQ(OKUsable(), *c.proposal != '\0');
    Ui().PressCancel("NodeBranchDlg");
  }
}

TEST_F(CreateNodeBranchTest, ASecondPushWhileTheDialogIsOpenOpensNothing) {
  OpenPage({Conduit("C-1")});
  Ui().Push("AssociateTab/CreateNewNode");
  Ui().Push("AssociateTab/CreateNewNode");
  Ui().Push("AssociateTab/CreateNewBranch");
  EXPECT_EQ(OpenDialogCount(), 1);
  EXPECT_TRUE(Ui().Exists("NodeBranchDlg/NodeIdEdt")) << "still the node dialog";
}

TEST_F(CreateNodeBranchTest, CancelAndTheCloseBoxCreateAndLinkNothing) {
  AddNodes({"N1", "N2"});
  OpenPage({Conduit("BUS1")});
  Ui().Push("AssociateTab/CreateNewNode");
  Ui().PressCancel("NodeBranchDlg");
  Ui().Push("AssociateTab/CreateNewBranch");
  Ui().SelectLine("NodeBranchDlg/BrFromIdCmb", "N1");
  Ui().SelectLine("NodeBranchDlg/BrToIdCmb", "N2");
  Ui().CloseWindow("NodeBranchDlg");

  EXPECT_EQ(OpenDialogCount(), 0);
  EXPECT_FALSE(Project().SearchForNodeId("BUS1"));
  EXPECT_FALSE(Project().SearchForBranchId("N1", "N2"));
  EXPECT_EQ(LinkedToNode("N1"), Lines{});
  EXPECT_EQ(MasterFileLines().size(), 2u) << "header and network type only";
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(CreateNodeBranchTest, AnExistingNodeIdentifierIsRefusedAndANewOneIsCreatedAndLinked) {
  AddNodes({"N1"});
  OpenPage({Conduit("C-1")});
  Ui().Push("AssociateTab/CreateNewNode");
  EXPECT_EQ(Dialog().GetTitle(), Text("GrdGUI_NewNdBrDlg_NodeDlgTitle"));
  EXPECT_EQ(EditorText(), "C-1");

  Ui().Type("NodeBranchDlg/NodeIdEdt", "N1");
  EXPECT_EQ(LastMessage(), "2|Create New Node|Duplicate Node Id: Specify another");
  EXPECT_EQ(EditorText(), "");
  EXPECT_FALSE(OKUsable());
  Ui().Type("NodeBranchDlg/NodeIdEdt", "BUS7-LONGER");
  EXPECT_EQ(EditorText(), "BUS7-LON") << "at most 8 characters";
  Ui().Type("NodeBranchDlg/NodeIdEdt", "");
  EXPECT_FALSE(OKUsable()) << "an empty identifier creates nothing";
  Ui().Type("NodeBranchDlg/NodeIdEdt", "BUS7");
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(LinkedToNode("BUS7"), (Lines{"C-1"}));
  EXPECT_TRUE(Contains(MasterFileLines(), "Node=BUS7"));
  EXPECT_EQ(Rows("VexNodeList"), (Lines{" |N1"}));
}

TEST_F(CreateNodeBranchTest, ANodeMadeWhileTheDialogWasOpenIsLinkedNotMadeAgain) {
  OpenPage({Conduit("BUS1")});
  Ui().Push("AssociateTab/CreateNewNode");
  AddNodes({"BUS1"});
  InEvent([&] { Panel().UpdateModelNodeBranchData(); });
  int before = MessageCount();
  Ui().PressOK("NodeBranchDlg");

  EXPECT_EQ(MessageCount(), before) << VexSession::GetSession().GetUserLog().ToText();
  EXPECT_EQ(LinkedToNode("BUS1"), (Lines{"BUS1"}));
  EXPECT_TRUE(Contains(MasterFileLines(), "Node=BUS1"));
}

TEST_F(CreateNodeBranchTest, ToNodesAreOnlyThoseWithoutABranchFromTheChosenNode) {
  AddNodes({"N1", "N2", "N3"});
  AddBranch("N1", "N2");
  OpenPage({Conduit("C-1")});
  struct Case {
    const char* from;
    Lines to;
  };
  // The reverse branch N2->N1 does not exist, so N1 is offered from N2.
  for (const Case& c : {Case{"N1", {"N3"}}, Case{"N2", {"N1", "N3"}}}) {
    SCOPED_TRACE(c.from);
    Ui().Push("AssociateTab/CreateNewBranch");
    EXPECT_EQ(ComboLines(Ui().Get<VexDlgCombo>("NodeBranchDlg/BrFromIdCmb")),
              (Lines{"N1", "N2", "N3"}));
    EXPECT_FALSE(Usable("NodeBranchDlg/BrToIdCmb"));
    Ui().SelectLine("NodeBranchDlg/BrFromIdCmb", c.from);
    EXPECT_EQ(ComboLines(Ui().Get<VexDlgCombo>("NodeBranchDlg/BrToIdCmb")), c.to);
    EXPECT_TRUE(Usable("NodeBranchDlg/BrToIdCmb"));
    EXPECT_FALSE(Usable("NodeBranchDlg/BrFromIdCmb")) << "the from node is chosen once";
    Ui().PressCancel("NodeBranchDlg");
  }
}
