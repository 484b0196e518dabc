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
  VexListChange change = VexListChange::Replaced;
  if (row == -1 || row == GetLineCount()) {
    row = GetLineCount();
    rows_.emplace_back();
    change = VexListChange::Appended;
  } else if (row < 0 || row > GetLineCount()) {
    ThrowBadValue("SetColumnItem row", row);
  }
  std::vector<VexUnicodeString>& cells = rows_[row];
  if (static_cast<int>(cells.size()) <= column) cells.resize(column + 1);
  cells[column] = text;
  NotifyListChange(change, row);
}

void VexDlgMultiList::GetColumnItem(int column, VexUnicodeString& text, int row) const {
  bool exists = row >= 0 && row < GetLineCount() && column >= 0 &&
                column < static_cast<int>(rows_[row].size());
  text = exists ? rows_[row][column] : VexUnicodeString();
}

void VexDlgMultiList::ClearLine() {
  rows_.clear();
  selected_.clear();
  NotifyListChange(VexListChange::Reset, -1);
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
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    state += "\n" + std::to_string(row) + ":";
    for (const VexUnicodeString& cell : rows_[row]) state += " " + Quote(cell);
  }
  return state;
}
