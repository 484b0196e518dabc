// Entering the Cables tab: the selected route elements and the cable diameter computed for them.
#include "CablesFixture.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgMultiList.h"
#include "VexGrdPanel.h"
#include "VexParmDictionary.h"

using CableSelectionTest = CablesTest;

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
