#include <QComboBox>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "PeerFixture.h"
#include "VexDlgCombo.h"
#include "VexDlgMultiList.h"
#include "VexDlgSelectorList.h"
#include "VexQtListPeers.h"

namespace {

class ListPeerTest : public PeerFixture {
 protected:
  ListPeerTest() {
    combo = new VexDlgCombo(dialog, "UnitCmb");
    combo->SetLine(VexListValVexUnicodeString{"mm", "m", "ft"});
    list = new VexDlgMultiList(dialog, "BranchList", VexDlgMultiList::kMultipleSelection);
    list->SetGridConstraints(0, 1, 1, 1, 0);
    VexUnicodeString titles[] = {"Branch", "From", "To"};
    list->SetColumnTitles(3, titles);
    AddRow(list, {"B1", "BUS1", "BUS2"});
    AddRow(list, {"B2", "BUS2", "BUS3"});
    AddRow(list, {"B3", "BUS2", "BUS4"});
    single = new VexDlgMultiList(dialog, "NodeList");
    single->SetGridConstraints(0, 2, 1, 1, 0);
    AddRow(single, {"BUS1"});
    AddRow(single, {"BUS2"});
    lines = new VexDlgSelectorList(dialog, "Results");
    lines->SetGridConstraints(0, 3, 1, 1, 0);
    lines->SetLine("Voltage 0.98 pu");
    Listen(combo, combo->GetComboSelectNotification());
    Listen(list, list->GetListSelectNotification());
    Listen(single, single->GetListSelectNotification());
    ShowDialog();
  }
  static void AddRow(VexDlgMultiList* target, std::vector<const char*> cells) {
    int row = target->GetLineCount();
    for (std::size_t column = 0; column < cells.size(); ++column) {
      target->SetColumnItem(static_cast<int>(column), cells[column], row);
    }
  }
  static QString Cell(QTreeView& view, int row, int column) {
    return view.model()->index(row, column).data().toString();
  }
  void ClickRow(VexDlgMultiList* target, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTreeView& view = ViewOf<QTreeView>(target);
    QRect cell = view.visualRect(view.model()->index(row, 0));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cell.center());
  }
  VexDlgCombo* combo;
  VexDlgMultiList* list;
  VexDlgMultiList* single;
  VexDlgSelectorList* lines;
};

TEST_F(ListPeerTest, AComboShowsTheLinesAndAChoiceIsOneSelection) {
  QComboBox& view = ViewOf<QComboBox>(combo);
  ASSERT_EQ(view.count(), 3);
  EXPECT_EQ(view.itemText(2), "ft");
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_Down);  // a person moves to the next line
  EXPECT_EQ(combo->GetSelect(), 0);
  EXPECT_EQ(Heard(), std::vector<std::string>{"UnitCmb:ComboSelect"});
  EXPECT_EQ(counter.events, 1);
}

TEST_F(ListPeerTest, AComboShowsTheLineTheModuleSelects) {
  combo->SetSelect(2);
  combo->SetLine("in");
  Sync();
  EXPECT_EQ(ViewOf<QComboBox>(combo).currentText(), "ft");
  EXPECT_EQ(ViewOf<QComboBox>(combo).count(), 4);
  EXPECT_TRUE(Heard().empty());
}

TEST_F(ListPeerTest, AMultiColumnListShowsTitlesAndCells) {
  QTreeView& view = ViewOf<QTreeView>(list);
  EXPECT_EQ(view.model()->headerData(1, Qt::Horizontal).toString(), "From");
  ASSERT_EQ(view.model()->rowCount(), 3);
  EXPECT_EQ(Cell(view, 2, 2), "BUS4");
}

TEST_F(ListPeerTest, ClickingARowSelectsItAndCtrlClickAddsOne) {
  ClickRow(list, 1);
  ClickRow(list, 2, Qt::ControlModifier);
  std::vector<int> rows(list->GetSelectCount());
  list->GetSelect(rows.data(), static_cast<int>(rows.size()));
  EXPECT_EQ(rows, (std::vector<int>{1, 2}));
  EXPECT_EQ(Heard(), (std::vector<std::string>{"BranchList:ListSelect", "BranchList:ListSelect"}));
  EXPECT_EQ(counter.events, 2);
}

TEST_F(ListPeerTest, AListOfOneSelectionTakesOneRow) {
  ClickRow(single, 0);
  ClickRow(single, 1, Qt::ControlModifier);
  int row = -1;
  EXPECT_EQ(single->GetSelect(&row, 1), 1);
  EXPECT_EQ(row, 1);
}

TEST_F(ListPeerTest, RowsAndSelectionSetByTheModuleShow) {
  AddRow(list, {"B4", "BUS4", "BUS5"});
  int rows[] = {0, 3};
  list->SetSelect(rows, 2);
  Sync();
  QTreeView& view = ViewOf<QTreeView>(list);
  EXPECT_EQ(view.model()->rowCount(), 4);
  QModelIndexList selected = view.selectionModel()->selectedRows();
  ASSERT_EQ(selected.size(), 2);
  EXPECT_EQ(Cell(view, 3, 0), "B4");
  EXPECT_TRUE(Heard().empty());
  list->ClearLine();
  Sync();
  EXPECT_EQ(view.model()->rowCount(), 0);
}

TEST_F(ListPeerTest, ASelectorListShowsItsLines) {
  lines->SetLine("Current 412 A");
  Sync();
  QTreeView& view = ViewOf<QTreeView>(lines);
  ASSERT_EQ(view.model()->rowCount(), 2);
  EXPECT_EQ(Cell(view, 1, 0), "Current 412 A");
}

}  // namespace
