// Choosing a branch measures its linked route elements, shows the length in the user's unit and
// stores it with the EDSA unit code of that unit.
#include "NavigatorFixture.h"
#include "VexDlgMultiList.h"
#include "VexParmDictionary.h"

namespace {

class BranchLengthTest : public NavigatorTest {
 protected:
  // BUS1->BUS2 runs along two conduits of 1000 mm and 1500 mm.
  void SetUp() override {
    MakeMasterFile();
    AddNodes({"BUS1", "BUS2", "BUS3"});
    AddBranch("BUS1", "BUS2");
    LinkToBranch("BUS1", "BUS2", VexIAECElement_var(Conduit("C1", {{0, 0, 0}, {1000, 0, 0}})));
    LinkToBranch("BUS1", "BUS2",
                 VexIAECElement_var(Conduit("C2", {{1000, 0, 0}, {1000, 1500, 0}})));
    OpenNavigator();
    Ui().Check("NavigatorTab/ShowAllCheck", true);
  }
  void ChooseBranch() { ChooseRow("BranchMultiList", 1, "BUS1"); }
  std::string MasterFile() { return Folder().Read("plant.mas"); }
};

TEST_F(BranchLengthTest, StoredWithTheEdsaCodeOfTheUsersUnit) {
  struct Case {
    const char* unit;
    const char* shown;
    double stored;
    const char* code;
    const char* masterLine;
  };
  const Case cases[] = {
      {"m", "2.5 m", 2.5, "MT", "BranchLength=BUS1,BUS2,2.5,MT"},
      {"mm", "2500 mm", 2.5, "MT", "BranchLength=BUS1,BUS2,2.5,MT"},
      {"cm", "250 cm", 2.5, "MT", "BranchLength=BUS1,BUS2,2.5,MT"},
      {"km", "0.0025 km", 0.0025, "KM", "BranchLength=BUS1,BUS2,0.0025,KM"},
      // 2500 mm is about 98.425 in, stored in feet.
      {"in", "98.4252 in", 8.2021, "FT", "BranchLength=BUS1,BUS2,8.202099738,FT"},
      {"ft", "8.2021 ft", 8.2021, "FT", "BranchLength=BUS1,BUS2,8.202099738,FT"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unit);
    VexParmDictionary::SetCurrentUnit("LENGTH", c.unit);
    ChooseBranch();
    EXPECT_EQ(LengthShown(), c.shown);
    EXPECT_NEAR(Branch("BUS1", "BUS2")->GetLength(), c.stored, 1e-4);
    EXPECT_EQ(Branch("BUS1", "BUS2")->GetUnitCode(), c.code);
    EXPECT_NE(MasterFile().find(c.masterLine), std::string::npos) << MasterFile();
  }
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(BranchLengthTest, AUnitEdsaCannotStoreIsRefusedAndStoresNothing) {
  VexParmDictionary::SetCurrentUnit("LENGTH", "yd");
  ChooseBranch();
  // Invalid input (display kind 3) shows as an information window.
  EXPECT_EQ(LastMessage(), "1|" + Text("GrdGUI_NavigateTab_ErrorDialogTitle").str() + "|" +
                               Text("GrdGUI_Navigate_InvalidUnit").str());
  EXPECT_EQ(LengthShown(), "2.734 yd") << "the measure is still shown";
  EXPECT_EQ(Branch("BUS1", "BUS2")->GetLength(), 0.0);
  EXPECT_TRUE(Branch("BUS1", "BUS2")->GetUnitCode().IsEmpty());
  EXPECT_EQ(MasterFile().find("BranchLength="), std::string::npos);
}

TEST_F(BranchLengthTest, ChoosingANodeClearsTheLengthAndTheBranchChoice) {
  ChooseBranch();
  ASSERT_EQ(LengthShown(), "2.5 m");
  ChooseRow("NodeMultiList", 1, "BUS3");
  EXPECT_EQ(LengthShown(), "0 m");
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("BranchMultiList").GetSelectCount(), 0);
}

TEST_F(BranchLengthTest, WhenTheEdsaProjectRefusesTheLengthTheBranchKeepsItsOldOne) {
  InEvent([&] { Project().SetMasterFilePath(VexUnicodeString()); });
  ChooseBranch();
  EXPECT_EQ(LastMessage().substr(0, 2), "2|") << LastMessage();
  EXPECT_EQ(LengthShown(), "2.5 m");
  EXPECT_EQ(Branch("BUS1", "BUS2")->GetLength(), 0.0) << "no length under a missing unit code";
}

}  // namespace
