// The check frame placed in a window: a program list above a "Run" button, nothing more.
#include <gtest/gtest.h>

#include "GrdGuiFixture.h"
#include "VexDlgSelectorList.h"
#include "VexFrmDialog.h"
#include "VexGrdCheckFrm.h"

using CheckFrmTest = GrdGuiTest;

TEST_F(CheckFrmTest, PlacesAnEmptyProgramListAboveARunButtonThatDoesNothing) {
  VexVar<VexFrmDialog> window(new VexFrmDialog(nullptr, "CheckWindow", 0));
  new VexGrdCheckFrm(window.get());
  window->SetVisibility(VexDialog::kShown);
  VexUiDriver ui(window.get());

  auto& list = ui.Get<VexDlgSelectorList>("Check_Frame/CheckFrm/ProgramList");
  VexDialog& run = ui.Find("Check_Frame/Run");
  EXPECT_EQ(run.GetParent()->GetName(), std::string("Check_Frame"));
  EXPECT_EQ(run.GetGridConstraints().row, 1) << "below the list's frame";
  EXPECT_EQ(list.GetVisibleTextWidth(), 30);
  EXPECT_EQ(list.GetVisibleTextHeight(), 8);
  EXPECT_GT(run.GetTitle().GetLengthInChar(), 0) << "the button has a label";

  ui.Push("Run");
  EXPECT_EQ(list.GetLineCount(), 0);
  EXPECT_EQ(MessageCount(), 0);
}
