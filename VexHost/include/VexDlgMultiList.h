#pragma once
// A list of lines in columns (rows and columns count from 0). One line at a time can be selected,
// or several with the style bit kMultipleSelection.

#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "VexDialog.h"

class VexDlgMultiList : public VexDialog {
 public:
  static constexpr int kMultipleSelection = 0x40000;
  /// The SetColumnItem mode: the text replaces the cell.
  static constexpr int kReplace = 64;

  VexDlgMultiList(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgMultiList"; }

  void SetColumnTitles(int count, const VexUnicodeString* titles);
  int GetColumnCount() const { return static_cast<int>(titles_.size()); }
  VexUnicodeString GetColumnTitle(int column) const;
  void SetColumnTextWidth(int width, int column);
  void SetVisibleColumnCount(int count) { visibleColumns_ = count; }
  void SetVisibleLineCount(int count) { visibleLines_ = count; }
  void SetVisibleTextWidth(int characters) { visibleWidth_ = characters; }
  int GetVisibleLineCount() const { return visibleLines_; }

  /// Sets the cell (`column`, `row`); row -1 (or the line count) appends a line. Only the mode
  /// kReplace exists.
  void SetColumnItem(int column, const VexUnicodeString& text, int row = -1, int mode = kReplace);
  /// Copies the cell into `text`; empties it for a cell that does not exist.
  void GetColumnItem(int column, VexUnicodeString& text, int row) const;
  int GetLineCount() const { return rowCount_; }
  /// Removes every line; nothing is selected afterwards.
  void ClearLine();

  int GetSelectCount() const { return static_cast<int>(selected_.size()); }
  /// Copies up to `maxCount` selected rows, in increasing order, into `rows`; returns how many
  /// were copied. `rows` is left alone when nothing is selected.
  int GetSelect(int* rows, int maxCount) const;
  /// Replaces the selection by `count` rows; `notify` 1 also sends the select notification.
  void SetSelect(const int* rows, int count, int notify = 0);
  void ClearSelect() {
    selected_.clear();
    NotifyChange(VexDialogChange::Selection);
  }
  VexNotification* GetListSelectNotification() { return EventNotification(kSelect); }

  /// A person makes `rows` the selection (none: deselects); one row unless the list takes several.
  void SelectRowsByUser(const std::vector<int>& rows);
  std::string DescribeState() const override;

 protected:
  ~VexDlgMultiList() override = default;

 private:
  static constexpr const char* kSelect = "ListSelect";
  std::set<int> CheckedSelection(const int* rows, int count, const char* operation) const;

  // The cells of all rows live in one text: a list of a million rows costs its characters and
  // eight bytes a cell, not a string and a vector per row. Rows are `stride_` cells wide; a row
  // has the cells up to the last one set, as if each row grew to the columns it was given.
  struct Cell {
    static constexpr std::uint32_t kUnset = UINT32_MAX;
    std::uint32_t offset = 0;
    std::uint32_t length = kUnset;
  };
  std::string_view CellText(const Cell& cell) const;
  int CellCountOf(int row) const;
  void Widen(int stride);
  void StoreCell(Cell& cell, std::string_view text);

  std::vector<VexUnicodeString> titles_;
  std::vector<int> columnWidths_;
  std::string text_;
  std::vector<Cell> cells_;
  int stride_ = 0;
  int rowCount_ = 0;
  std::size_t replacedBytes_ = 0;  // text of replaced cells, dropped once it is half of text_
  std::set<int> selected_;
  int visibleColumns_ = 0;
  int visibleLines_ = 0;
  int visibleWidth_ = 0;
};
