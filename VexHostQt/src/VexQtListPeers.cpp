#include "VexQtListPeers.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "VexDlgMultiList.h"
#include "VexDlgSelectorList.h"
#include "VexQtListModel.h"

namespace {

// Uniform rows let the view lay out any number of rows without measuring each.
QTreeView* MakeListView() {
  auto* view = new QTreeView;
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);
  view->setItemsExpandable(false);
  view->setAllColumnsShowFocus(true);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return view;
}

// Visible lines as the toolkit gives them become the view's preferred height.
void SetVisibleLines(QTreeView& view, int lines) {
  if (lines <= 0) return;
  int row = view.fontMetrics().height() + 4;
  view.setMinimumHeight(row * lines + (view.isHeaderHidden() ? 0 : row) + 6);
}

}  // namespace

VexQtSelectorListPeer::VexQtSelectorListPeer(VexDlgSelectorList& list, VexQtDialogMirror& mirror)
    : VexQtPeer(list, MakeListView(), mirror) {
  // The model reads the list through the peer: once the list has left the tree (and may be gone)
  // it reads as empty, for the view can still ask before it is deleted itself.
  auto source = [this] { return static_cast<VexDlgSelectorList*>(GetWidget()); };
  model_ = new VexQtListModel({[source] { return source() ? source()->GetLineCount() : 0; },
                               [] { return 1; },
                               [source](int row, int) {
                                 VexUnicodeString line;
                                 if (source()) source()->GetLine(row, line);
                                 return VexQtText(line);
                               },
                               {}},
                              this);
  GetTreeView()->setModel(model_);
  GetTreeView()->setHeaderHidden(true);
  GetTreeView()->setSelectionMode(QAbstractItemView::NoSelection);
}

QTreeView* VexQtSelectorListPeer::GetTreeView() const { return static_cast<QTreeView*>(view_.data()); }

void VexQtSelectorListPeer::NoteListChange(VexListChange change, int row) { model_->NoteChange(change, row); }

void VexQtSelectorListPeer::RefreshState() {
  model_->Apply();
  SetVisibleLines(*GetTreeView(), static_cast<VexDlgSelectorList*>(widget_)->GetVisibleTextHeight());
}

VexQtMultiListPeer::VexQtMultiListPeer(VexDlgMultiList& list, VexQtDialogMirror& mirror)
    : VexQtPeer(list, MakeListView(), mirror) {
  auto source = [this] { return static_cast<VexDlgMultiList*>(GetWidget()); };  // as above
  model_ = new VexQtListModel({[source] { return source() ? source()->GetLineCount() : 0; },
                               [source] { return source() ? source()->GetColumnCount() : 0; },
                               [source](int row, int column) {
                                 VexUnicodeString cell;
                                 if (source()) source()->GetColumnItem(column, cell, row);
                                 return VexQtText(cell);
                               },
                               [source](int column) {
                                 if (!source()) return QString();
                                 return VexQtText(source()->GetColumnTitle(column));
                               }},
                              this);
  QTreeView* view = GetTreeView();
  view->setModel(model_);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  bool several = list.GetStyle() & VexDlgMultiList::kMultipleSelection;
  view->setSelectionMode(several ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { OnSelectionChanged(); });
}

QTreeView* VexQtMultiListPeer::GetTreeView() const { return static_cast<QTreeView*>(view_.data()); }

void VexQtMultiListPeer::NoteListChange(VexListChange change, int row) { model_->NoteChange(change, row); }

void VexQtMultiListPeer::RefreshState() {
  auto* list = static_cast<VexDlgMultiList*>(widget_);
  model_->Apply();
  if (shownColumns_ != list->GetColumnCount()) {
    shownColumns_ = list->GetColumnCount();
    GetTreeView()->setHeaderHidden(shownColumns_ == 0);
    GetTreeView()->header()->setStretchLastSection(true);
  }
  SetVisibleLines(*GetTreeView(), list->GetVisibleLineCount());
  ShowSelection();
}

void VexQtMultiListPeer::ShowSelection() {
  auto* list = static_cast<VexDlgMultiList*>(widget_);
  std::vector<int> rows(list->GetSelectCount());
  list->GetSelect(rows.data(), static_cast<int>(rows.size()));
  QItemSelection selection;
  // Runs of consecutive rows become one range: selecting every row of a long list stays cheap.
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t end = i;
    while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) ++end;
    selection.select(model_->index(rows[i], 0), model_->index(rows[end], model_->columnCount() - 1));
    i = end + 1;
  }
  GetTreeView()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void VexQtMultiListPeer::OnSelectionChanged() {
  auto* list = static_cast<VexDlgMultiList*>(widget_);
  if (!list || IsRefreshing()) return;
  std::vector<int> rows;
  for (const QModelIndex& index : GetTreeView()->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  // The view repeats a selection on a mouse release: what the tree holds already is no news.
  std::vector<int> held(list->GetSelectCount());
  list->GetSelect(held.data(), static_cast<int>(held.size()));
  if (rows == held) return;
  Act([list, rows] { list->SelectRowsByUser(rows); });
}
