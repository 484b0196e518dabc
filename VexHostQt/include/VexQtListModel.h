#pragma once
// A table model that reads a list widget of the tree where it stands, cell by cell, as the view
// asks: nothing is copied, so showing a list of any length costs one reset and the rows on
// screen. The list's changes are noted as they are heard and told to the views together when
// the display catches up: a list emptied and filled again as one reset, lines added at the end as
// one insertion, lines set again in place as one change of the rows between them.

#include <QAbstractTableModel>
#include <algorithm>
#include <climits>
#include <functional>

#include "VexDialogObserver.h"

class VexQtListModel : public QAbstractTableModel {
 public:
  struct Source {
    std::function<int()> rowCount;
    std::function<int()> columnCount;
    std::function<QString(int row, int column)> cell;
    std::function<QString(int column)> title;  ///< empty function: no header
  };

  explicit VexQtListModel(Source source, QObject* parent = nullptr)
      : QAbstractTableModel(parent), source_(std::move(source)), shownRows_(source_.rowCount()) {}

  /// A change of the list's lines, heard from the tree; the views hear of it at Apply.
  void NoteChange(VexListChange change, int row);
  /// Tells the views what changed since the last call.
  void Apply();

  /// The rows the views know of: the list's own count may run ahead until Apply.
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : shownRows_; }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : std::max(source_.columnCount(), 1);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return source_.cell(index.row(), index.column());
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !source_.title) return {};
    return source_.title(section);
  }

 private:
  Source source_;
  int shownRows_;
  bool reset_ = false;
  int firstReplaced_ = INT_MAX;
  int lastReplaced_ = -1;
};

inline void VexQtListModel::NoteChange(VexListChange change, int row) {
  if (change == VexListChange::Reset) reset_ = true;
  if (reset_ || change != VexListChange::Replaced || row >= shownRows_) return;  // read anew, or new
  firstReplaced_ = std::min(firstReplaced_, row);
  lastReplaced_ = std::max(lastReplaced_, row);
}

inline void VexQtListModel::Apply() {
  const int rows = source_.rowCount();
  if (reset_ || rows < shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
  } else {
    if (rows > shownRows_) {
      beginInsertRows({}, shownRows_, rows - 1);
      shownRows_ = rows;
      endInsertRows();
    }
    if (lastReplaced_ >= 0) {
      emit dataChanged(index(firstReplaced_, 0), index(lastReplaced_, columnCount() - 1), {Qt::DisplayRole});
    }
  }
  reset_ = false;
  firstReplaced_ = INT_MAX;
  lastReplaced_ = -1;
}
