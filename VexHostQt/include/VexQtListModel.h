#pragma once
// A table model that reads a list widget of the tree where it stands, cell by cell, as the view
// asks: nothing is copied, so showing a list of any length costs one reset and the rows on
// screen.

#include <QAbstractTableModel>
#include <functional>

class VexQtListModel : public QAbstractTableModel {
 public:
  struct Source {
    std::function<int()> rowCount;
    std::function<int()> columnCount;
    std::function<QString(int row, int column)> cell;
    std::function<QString(int column)> title;  ///< empty function: no header
  };

  explicit VexQtListModel(Source source, QObject* parent = nullptr)
      : QAbstractTableModel(parent), source_(std::move(source)) {}

  /// The list changed: the views read it again.
  void Reload() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : source_.rowCount();
  }
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
};
