// Entering the Cables tab: the selected route elements and the cable diameter computed for them.
#include "CablesFixture.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgMultiList.h"
#include "VexGrdPanel.h"
#include "VexParmDictionary.h"

namespace {

std::vector<std::string> Rows(const VexDlgMultiList& list) {
  std::vector<std::string> rows;
  for (int row = 0; row < list.GetLineCount(); ++row) {
    VexUnicodeString name, type;
    list.GetColumnItem(0, name, row);
    list.GetColumnItem(1, type, row);
    rows.push_back(name.str() + " / " + type.str());
  }
  return rows;
}

}  // namespace

using CableSelectionTest = CablesTest;

TEST_F(CableSelectionTest, ARouteSelectedListsItsElementsAndTheDiameterInTheUsersUnit) {
  VexParmDictionary::SetCurrentUnit("LENGTH", "mm");
  Route route = AddRoute1();
  StartOnCablesTab(route);

  EXPECT_EQ(Rows(Ui().Get<VexDlgMultiList>("CSOMultiList")),
            (std::vector<std::string>{"CD103 / Conduit 3 in", "CD101 / Conduit 3 in",
                                      "CD102 / Conduit 3 in"}))
      << "in selection order";
  EXPECT_EQ(Ui().Get<VexCkeUnitFrame>("XEditor").GetDisplayedText(), "41.2 mm");
  EXPECT_DOUBLE_EQ(Conduit().GetCableDia(), 0.0412) << "the job's diameter, in metres";
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(CableSelectionTest, WithoutADiameterTheTabSaysSoAndKeepsTheLastOne) {
  Route route = AddRoute1();
  auto bare = AddRouteElement("TR9", VexElementKind::Tray, {{0, 0, 0}, {0, 900, 0}});
  StartOnCablesTab(route);
  ASSERT_DOUBLE_EQ(Conduit().GetCableDia(), 0.0412);

  struct Case {
    const char* name;
    Route selection;
    int rows;
  } cases[] = {{"nothing selected", {}, 0}, {"a tray without a cable diameter", {bare}, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ui().SelectPage("TabContainer", VexGrdPanel::kProjectTab);
    Select(c.selection);
    Ui().SelectPage("TabContainer", VexGrdPanel::kCablesTab);
    EXPECT_EQ(LastMessage(), Report("GrdGUI_CableTab_UnsupportedElements"));
    EXPECT_EQ(Ui().Get<VexDlgMultiList>("CSOMultiList").GetLineCount(), c.rows);
    EXPECT_DOUBLE_EQ(Ui().Get<VexCkeUnitFrame>("XEditor").GetValue(), 0.0412);
    EXPECT_DOUBLE_EQ(Conduit().GetCableDia(), 0.0412);
  }
}

TEST_F(CableSelectionTest, EveryLabelAndButtonHasAText) {
  StartCommand();
  for (const char* id :
       {"CableSpecs", "CablePull", "CableSize", "DiamLabel", "NewCableLocLbl",
        "SelMRUCblPullFileBtn", "SelCblPullFilBtn", "CblPullResultLbl", "RunCblPullBtn",
        "DefCableGblDataLbl", "DefCableSegDataLbl", "ProcessGlobal", "ProcessSegments",
        "SizeJobLabel", "SelMRUCblSizeFileBtn", "SelWrSzFileBtn", "SizeRun"}) {
    EXPECT_FALSE(Ui().Find(id).GetTitle().IsEmpty()) << id;
  }
}
