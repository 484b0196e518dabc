#include "VexDlgMultiList.h"

void VexDlgMultiList::SetColumnTitles(int count, const VexUnicodeString* titles) {
  if (count < 0 || (count > 0 && !titles)) ThrowBadValue("SetColumnTitles", count);
  titles_.assign(titles, titles + count);
  NotifyListChange(VexListChange::Reset, -1);
}

VexUnicodeString VexDlgMultiList::GetColumnTitle(int column) const {
  return column >= 0 && column < GetColumnCount() ? titles_[column] : VexUnicodeString();
}

void VexDlgMultiList::SetColumnTextWidth(int width, int column) {
  if (column < 0) ThrowBadValue("SetColumnTextWidth", column);
  if (static_cast<int>(columnWidths_.size()) <= column) columnWidths_.resize(column + 1, 0);
  columnWidths_[column] = width;
}

void VexDlgMultiList::SetColumnItem(int column, const VexUnicodeString& text, int row, int mode) {
  if (mode != kReplace) ThrowBadValue("SetColumnItem mode", mode);
  if (column < 0) ThrowBadValue("SetColumnItem column", column);
  if (row < -1 || row > GetLineCount()) ThrowBadValue("SetColumnItem row", row);
  if (column >= stride_) Widen(column + 1);
  VexListChange change = VexListChange::Replaced;
  if (row == -1 || row == GetLineCount()) {
    row = rowCount_++;
    cells_.resize(cells_.size() + static_cast<std::size_t>(stride_));
    change = VexListChange::Appended;
  }
  StoreCell(cells_[static_cast<std::size_t>(row) * stride_ + column], text.str());
  NotifyListChange(change, row);
}

void VexDlgMultiList::GetColumnItem(int column, VexUnicodeString& text, int row) const {
  bool exists = row >= 0 && row < GetLineCount() && column >= 0 && column < stride_;
  text = exists ? VexUnicodeString(CellText(cells_[static_cast<std::size_t>(row) * stride_ + column]))
                : VexUnicodeString();
}

void VexDlgMultiList::ClearLine() {
  text_.clear();
  cells_.clear();
  rowCount_ = 0;
  replacedBytes_ = 0;
  selected_.clear();
  NotifyListChange(VexListChange::Reset, -1);
}

std::string_view VexDlgMultiList::CellText(const Cell& cell) const {
  if (cell.length == Cell::kUnset) return {};
  return std::string_view(text_).substr(cell.offset, cell.length);
}

int VexDlgMultiList::CellCountOf(int row) const {
  const Cell* first = &cells_[static_cast<std::size_t>(row) * stride_];
  int count = stride_;
  while (count > 0 && first[count - 1].length == Cell::kUnset) --count;
  return count;
}

void VexDlgMultiList::Widen(int stride) {
  std::vector<Cell> wider(static_cast<std::size_t>(rowCount_) * stride);
  for (int row = 0; row < rowCount_; ++row) {
    for (int column = 0; column < stride_; ++column) {
      wider[static_cast<std::size_t>(row) * stride + column] =
          cells_[static_cast<std::size_t>(row) * stride_ + column];
    }
  }
  cells_ = std::move(wider);
  stride_ = stride;
}

void VexDlgMultiList::StoreCell(Cell& cell, std::string_view text) {
  if (cell.length != Cell::kUnset) replacedBytes_ += cell.length;
  if (replacedBytes_ > 4096 && replacedBytes_ > text_.size() / 2) {
    // Cells rewritten again and again (a status column) leave their old texts behind: keep only
    // the live ones.
    std::string live;
    live.reserve(text_.size() - replacedBytes_ + text.size());
    for (Cell& each : cells_) {
      if (each.length == Cell::kUnset) continue;
      std::string_view old = CellText(each);
      each.offset = static_cast<std::uint32_t>(live.size());
      live.append(old);
    }
    text_ = std::move(live);
    replacedBytes_ = 0;
  }
  if (text_.size() + text.size() > UINT32_MAX) ThrowBadValue("SetColumnItem text size", rowCount_);
  cell.offset = static_cast<std::uint32_t>(text_.size());
  cell.length = static_cast<std::uint32_t>(text.size());
  text_.append(text);
}

int VexDlgMultiList::GetSelect(int* rows, int maxCount) const {
  int copied = 0;
  for (int row : selected_) {
    if (copied >= maxCount || !rows) break;
    rows[copied++] = row;
  }
  return copied;
}

std::set<int> VexDlgMultiList::CheckedSelection(const int* rows, int count,
                                                const char* operation) const {
  if (count < 0 || (count > 0 && !rows)) ThrowBadValue(operation, count);
  if (count > 1 && !(GetStyle() & kMultipleSelection)) ThrowBadValue(operation, count);
  std::set<int> selection;
  for (int i = 0; i < count; ++i) {
    if (rows[i] < 0 || rows[i] >= GetLineCount()) ThrowBadValue(operation, rows[i]);
    selection.insert(rows[i]);
  }
  return selection;
}

void VexDlgMultiList::SetSelect(const int* rows, int count, int notify) {
  selected_ = CheckedSelection(rows, count, "SetSelect");
  NotifyChange(VexDialogChange::Selection);
  if (notify) NotifyEvent(kSelect);
}

void VexDlgMultiList::SelectRowsByUser(const std::vector<int>& rows) {
  std::set<int> selection =
      CheckedSelection(rows.data(), static_cast<int>(rows.size()), "SelectRowsByUser");
  RunUserAction("select rows of", [this, selection] {
    selected_ = selection;
    NotifyChange(VexDialogChange::Selection);
    NotifyEvent(kSelect);
  });
}

std::string VexDlgMultiList::DescribeState() const {
  std::string state = "columns=[";
  for (std::size_t i = 0; i < titles_.size(); ++i) state += (i ? ", " : "") + Quote(titles_[i]);
  state += "] selected=[";
  bool first = true;
  for (int row : selected_) {
    state += (first ? "" : ", ") + std::to_string(row);
    first = false;
  }
  state += "]";
  for (int row = 0; row < rowCount_; ++row) {
    state += "\n" + std::to_string(row) + ":";
    for (int column = 0; column < CellCountOf(row); ++column) {
      state += " " + Quote(VexUnicodeString(CellText(cells_[static_cast<std::size_t>(row) * stride_ + column])));
    }
  }
  return state;
}
