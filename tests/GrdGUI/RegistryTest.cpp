// The panel's registry of nodes and branches, built from a real document.
#include "GrdGuiFixture.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"

namespace {

std::vector<std::string> Records(const VexListPtrVexGrdNodeBrData* records) {
  std::vector<std::string> texts;
  for (int i = 1; records && i <= records->Size(); ++i) {
    const VexGrdNodeBrData* r = (*records)[i];
    texts.push_back("(" + std::to_string(r->GetIdClass()) + ", " + r->GetId().str() + ", " +
                    std::to_string(r->GetAssocStatus()) + ")");
  }
  return texts;
}

class RegistryTest : public GrdGuiTest {
 protected:
  void BuildExample() {
    AddNodes({"A", "B"});
    AddBranch("A", "B");
    conduit = AddElement("C-101", VexElementKind::Conduit);
    LinkToBranch("A", "B", VexIAECElement_var(conduit));
  }
  VexVar<VexPlantElement> conduit;
};

}  // namespace

TEST_F(RegistryTest, BeforeTheFirstRebuildTheAnswersAreNeutral) {
  CloseDocument();
  StartCommand();
  EXPECT_EQ(Panel().DoesNodeExistAlready("A"), -1);
  EXPECT_EQ(Panel().DoesBranchExistAlready("A->B"), -1);
  EXPECT_EQ(Panel().IsNdBrAssociated("A"), 0);
  EXPECT_EQ(Panel().GetListOfAllNodes(), nullptr);
}

TEST_F(RegistryTest, RecordsOfTwoNodesAndALinkedBranchInModelOrder) {
  BuildExample();
  StartCommand();  // the first activation builds the registry
  EXPECT_EQ(Texts(Panel().GetListOfAllNodes()), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Texts(Panel().GetListOfAllBranches()), (std::vector<std::string>{"A->B"}));
  EXPECT_EQ(Records(Panel().GetNodeBranchRecords()),
            (std::vector<std::string>{"(1, A, 0)", "(1, B, 0)", "(2, A->B, 1)"}));
  // The answers on this network are checked by AnswersForTheNetworkOfTheLastRebuildUntilTheNext.
  EXPECT_EQ(Panel().DoesNodeExistAlready("a"), 0) << "identifiers are case-sensitive";
  EXPECT_EQ(Panel().DoesBranchExistAlready("B->A"), 0);
  EXPECT_EQ(Panel().IsNdBrAssociated("Z"), 0);
}

TEST_F(RegistryTest, SplittingBranchIdentifiers) {
  StartCommand();
  struct Case {
    const char* id;
    const char* from;
    const char* to;
  };
  for (const Case& c : {Case{"A->B", "A", "B"}, Case{"AB", "", ""}, Case{"A->", "A", ""},
                        Case{"->B", "", "B"}, Case{"", "", ""}, Case{"BUS 1->BUS->2", "BUS 1", "BUS->2"}}) {
    VexUnicodeString from("old"), to("old");
    Panel().SplitBranchId(c.id, &from, &to);
    EXPECT_EQ(from.str(), c.from) << c.id;
    EXPECT_EQ(to.str(), c.to) << c.id;
  }
}

TEST_F(RegistryTest, UnlinkKeepsTheBranchAndDeleteRemovesItButNeverThePlantElement) {
  BuildExample();
  StartCommand();
  InEvent([&] {
    Panel().UnLinkBranch(3, "A->B");
    Panel().UnLinkBranch(1, "AB");
    Panel().UpdateModelNodeBranchData();
  });
  EXPECT_EQ(Panel().IsNdBrAssociated("A->B"), 1) << "mode 3 and a badly formed id change nothing";

  InEvent([&] {
    Panel().UnLinkBranch(1, "A->B");
    Panel().UpdateModelNodeBranchData();
  });
  EXPECT_EQ(Panel().IsNdBrAssociated("A->B"), 0);
  EXPECT_EQ(Panel().DoesBranchExistAlready("A->B"), 1);

  LinkToNode("A", VexIAECElement_var(conduit));
  InEvent([&] {
    Panel().UnLinkNode(2, "A");
    Panel().UnLinkBranch(2, "A->B");
    Panel().UpdateModelNodeBranchData();
  });
  EXPECT_EQ(Texts(Panel().GetListOfAllNodes()), (std::vector<std::string>{"B"}));
  EXPECT_TRUE(Texts(Panel().GetListOfAllBranches()).empty());
  EXPECT_EQ(Document().GetElementCount(), 1);
  EXPECT_FALSE(Project().SearchForNodeId("A"));
}

// Between a change of the network and the rebuild that follows it, the registry still answers
// for the network it was built from; the rebuild brings it up to date.
TEST_F(RegistryTest, AnswersForTheNetworkOfTheLastRebuildUntilTheNext) {
  BuildExample();
  AddNodes({"X->Y"});
  AddBranch("X->Y", "Z");  // its identifier holds the separator twice
  StartCommand();
  auto answers = [&] {
    return std::vector<int>{Panel().DoesNodeExistAlready("C"), Panel().DoesNodeExistAlready("B"),
                            Panel().DoesBranchExistAlready("A->B"), Panel().IsNdBrAssociated("A"),
                            Panel().IsNdBrAssociated("A->B"), Panel().DoesBranchExistAlready("X->Y->Z"),
                            Panel().IsNdBrAssociated("X->Y->Z"), Panel().DoesBranchExistAlready("AB")};
  };
  EXPECT_EQ(answers(), (std::vector<int>{0, 1, 1, 0, 1, 1, 0, 0}));

  AddNodes({"C"});
  LinkToNode("A", VexIAECElement_var(conduit));
  InEvent([&] { Project().DeleteNode(Project().SearchForNodeId("B")); });
  EXPECT_EQ(answers(), (std::vector<int>{0, 1, 1, 0, 1, 1, 0, 0}));

  InEvent([&] { Panel().UpdateModelNodeBranchData(); });
  EXPECT_EQ(answers(), (std::vector<int>{1, 0, 1, 1, 1, 1, 0, 0}));
}
