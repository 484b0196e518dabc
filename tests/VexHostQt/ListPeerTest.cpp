#include <QComboBox>
#include <functional>
#include <QHeaderView>
#include <QPointer>
#include <QTest>
#include <QTreeView>

#include "PeerFixture.h"
#include "VexDlgCombo.h"
#include "VexDlgMultiList.h"
#include "VexDlgSelectorList.h"
#include "VexQtListPeers.h"

namespace {

void AppendRow(VexDlgMultiList& list, const std::vector<std::string>& cells) {
  int row = list.GetLineCount();
  for (std::size_t column = 0; column < cells.size(); ++column) {
    list.SetColumnItem(static_cast<int>(column), VexUnicodeString(cells[column]), row);
  }
}

class ListPeerTest : public PeerFixture {
 protected:
  ListPeerTest() {
    combo = new VexDlgCombo(dialog, "UnitCmb");
    combo->SetLine(VexListValVexUnicodeString{"mm", "m", "ft"});
    list = new VexDlgMultiList(dialog, "BranchList", VexDlgMultiList::kMultipleSelection);
    list->SetGridConstraints(0, 1, 1, 1, 0);
    VexUnicodeString titles[] = {"Branch", "From", "To"};
    list->SetColumnTitles(3, titles);
    AppendRow(*list, {"B1", "BUS1", "BUS2"});
    AppendRow(*list, {"B2", "BUS2", "BUS3"});
    AppendRow(*list, {"B3", "BUS2", "BUS4"});
    single = new VexDlgMultiList(dialog, "NodeList");
    single->SetGridConstraints(0, 2, 1, 1, 0);
    AppendRow(*single, {"BUS1"});
    AppendRow(*single, {"BUS2"});
    lines = new VexDlgSelectorList(dialog, "Results");
    lines->SetGridConstraints(0, 3, 1, 1, 0);
    lines->SetLine("Voltage 0.98 pu");
    Listen(combo, combo->GetComboSelectNotification());
    Listen(list, list->GetListSelectNotification());
    Listen(single, single->GetListSelectNotification());
    ShowDialog();
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

// Its cells are checked with every change of ModelNoticeTest below.
TEST_F(ListPeerTest, AMultiColumnListShowsItsColumnTitles) {
  EXPECT_EQ(ViewOf<QTreeView>(list).model()->headerData(1, Qt::Horizontal).toString(), "From");
}

// A list released with its window leaves its view to be deleted later, and until then the view
// may still lay itself out (a timer of the tree view): it must read nothing of the gone list.
TEST_F(ListPeerTest, AViewOutlivingItsReleasedListReadsItAsEmpty) {
  QPointer<QTreeView> view = &ViewOf<QTreeView>(list);
  QPointer<QTreeView> lineView = &ViewOf<QTreeView>(lines);
  list->DetachFromParent();  // the last reference: the list is destroyed
  lines->DetachFromParent();
  ASSERT_TRUE(view && lineView) << "deleted later, not at once";
  QAbstractItemModel& model = *view->model();
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "");
  EXPECT_EQ(model.index(1, 2).data().toString(), "");
  EXPECT_EQ(lineView->model()->index(0, 0).data().toString(), "");
  view->header()->sizeHint();  // what the view's layout timer asks first
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

// A row added and selected by the module in one event shows selected.
TEST_F(ListPeerTest, ASelectionSetByTheModuleShowsWithoutANotification) {
  AppendRow(*list, {"B4", "BUS4", "BUS5"});
  int rows[] = {0, 3};
  list->SetSelect(rows, 2);
  Sync();
  EXPECT_EQ(ViewOf<QTreeView>(list).selectionModel()->selectedRows().size(), 2);
  EXPECT_TRUE(Heard().empty());
}

// What a list's model tells its views, as "reset", "insert 3-4" or "change 1-1": a list emptied
// and filled again is one reset however long it is; a line added or set again is a notice of that
// line alone, so the view keeps its place.

void Refill(VexDlgMultiList& list, int rows) {
  list.ClearLine();
  for (int row = 0; row < rows; ++row) {
    std::string id = std::to_string(row);
    AppendRow(list, {"B" + id, "BUS" + id, "BUS" + std::to_string(row + 1)});
  }
}

struct ModelNoticeCase {
  const char* name;
  std::function<void(VexDlgMultiList&, VexDlgSelectorList&)> change;
  std::vector<std::string> listNotices;
  std::vector<std::string> selectorNotices;
};

void PrintTo(const ModelNoticeCase& c, std::ostream* out) { *out << c.name; }

class ModelNoticeTest : public ListPeerTest, public ::testing::WithParamInterface<ModelNoticeCase> {
 protected:
  static void Record(QAbstractItemModel& model, std::vector<std::string>& notices) {
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&notices] { notices.push_back("reset"); });
    QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&notices](const QModelIndex&, int first, int last) {
      notices.push_back("insert " + std::to_string(first) + "-" + std::to_string(last));
    });
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&notices](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                       notices.push_back("change " + std::to_string(topLeft.row()) + "-" +
                                         std::to_string(bottomRight.row()));
                     });
  }
};

TEST_P(ModelNoticeTest, TheViewsHearOneNoticePerEventForWhatChanged) {
  QTreeView& listView = ViewOf<QTreeView>(list);
  QTreeView& linesView = ViewOf<QTreeView>(lines);
  std::vector<std::string> listNotices, selectorNotices;
  Record(*listView.model(), listNotices);
  Record(*linesView.model(), selectorNotices);

  GetParam().change(*list, *lines);
  Sync();

  EXPECT_EQ(listNotices, GetParam().listNotices);
  EXPECT_EQ(selectorNotices, GetParam().selectorNotices);
  // Whatever the notices, the views read what the tree holds.
  ASSERT_EQ(listView.model()->rowCount(), list->GetLineCount());
  for (int row = 0; row < list->GetLineCount(); row += std::max(1, list->GetLineCount() / 7)) {
    for (int column = 0; column < list->GetColumnCount(); ++column) {
      VexUnicodeString cell;
      list->GetColumnItem(column, cell, row);
      EXPECT_EQ(Cell(listView, row, column).toStdString(), cell.str()) << row << ", " << column;
    }
  }
  ASSERT_EQ(linesView.model()->rowCount(), lines->GetLineCount());
  for (int row = 0; row < lines->GetLineCount(); ++row) {
    VexUnicodeString line;
    lines->GetLine(row, line);
    EXPECT_EQ(Cell(linesView, row, 0).toStdString(), line.str());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ModelNoticeTest,
    ::testing::Values(
        ModelNoticeCase{"RefillOfManyRows",
                        [](VexDlgMultiList& l, VexDlgSelectorList& s) {
                          Refill(l, 20000);
                          s.ClearLine();
                          for (int i = 0; i < 5000; ++i) s.SetLine(VexUnicodeString("line " + std::to_string(i)));
                        },
                        {"reset"}, {"reset"}},
        ModelNoticeCase{"RefillWithFewerRows", [](VexDlgMultiList& l, VexDlgSelectorList&) { Refill(l, 2); },
                        {"reset"}, {}},
        ModelNoticeCase{"Emptied", [](VexDlgMultiList& l, VexDlgSelectorList&) { l.ClearLine(); }, {"reset"}, {}},
        ModelNoticeCase{"OneRowAdded",
                        [](VexDlgMultiList& l, VexDlgSelectorList& s) {
                          AppendRow(l, {"B4", "BUS4", "BUS5"});
                          s.SetLine("Current 412 A");
                        },
                        {"insert 3-3"}, {"insert 1-1"}},
        ModelNoticeCase{"RowsAddedInOneEvent",
                        [](VexDlgMultiList& l, VexDlgSelectorList&) {
                          for (int i = 4; i < 7; ++i) AppendRow(l, {"B", "BUS", "BUS"});
                        },
                        {"insert 3-5"}, {}},
        ModelNoticeCase{"OneCellSetAgain",
                        [](VexDlgMultiList& l, VexDlgSelectorList& s) {
                          l.SetColumnItem(2, "BUS9", 1);
                          s.SetLine("Voltage 0.97 pu", 0);
                        },
                        {"change 1-1"}, {"change 0-0"}},
        ModelNoticeCase{"RowsSetAgainAndAdded",
                        [](VexDlgMultiList& l, VexDlgSelectorList&) {
                          l.SetColumnItem(0, "X", 2);
                          l.SetColumnItem(0, "Y", 0);
                          AppendRow(l, {"B4", "BUS4", "BUS5"});
                          l.SetColumnItem(1, "BUS7", 3);  // a cell of the new row: part of its insertion
                        },
                        {"insert 3-3", "change 0-2"}, {}},
        ModelNoticeCase{"ColumnsChanged",
                        [](VexDlgMultiList& l, VexDlgSelectorList&) {
                          VexUnicodeString titles[] = {"Branch", "From"};
                          l.SetColumnTitles(2, titles);
                        },
                        {"reset"}, {}},
        ModelNoticeCase{"OnlyTheSelection",
                        [](VexDlgMultiList& l, VexDlgSelectorList&) {
                          int row = 1;
                          l.SetSelect(&row, 1);
                        },
                        {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
