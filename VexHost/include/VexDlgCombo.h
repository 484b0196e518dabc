#pragma once
// A drop-down list of lines with at most one selected line (rows count from 0).

#include <vector>

#include "VexDialog.h"
#include "VexList.h"

class VexDlgCombo : public VexDialog {
 public:
  VexDlgCombo(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgCombo"; }

  /// Sets line `row` to `text`; row -1 (or the line count) appends a line.
  void SetLine(const VexUnicodeString& text, int row = -1);
  /// Appends `count` lines in one call.
  void SetLine(const VexUnicodeString* texts, int count);
  void SetLine(const VexListValVexUnicodeString& texts);
  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  /// Copies line `row` into `text`; empties `text` for a row that does not exist (such as -1).
  void GetLine(int row, VexUnicodeString& text) const;
  /// Removes every line; nothing is selected afterwards.
  void ClearLine();

  /// The selected row, -1 when none.
  int GetSelect() const { return selected_; }
  /// Selects `row` (-1: none); `notify` 1 also sends the select notification.
  void SetSelect(int row, int notify = 0);
  /// Selects the first line equal to `text`; a text no line holds leaves nothing selected.
  void SetSelect(const VexUnicodeString& text, int notify);

  void SetVisibleTextWidth(int characters) { visibleWidth_ = characters; }
  void SetVisibleTextHeight(int lines) { visibleHeight_ = lines; }
  int GetVisibleTextWidth() const { return visibleWidth_; }
  int GetVisibleTextHeight() const { return visibleHeight_; }
  VexNotification* GetComboSelectNotification() { return EventNotification(kSelect); }

  /// A person selects line `row`.
  void SelectLineByUser(int row);
  /// A person selects the line showing `text`; a text the combo does not show is an input error.
  void SelectLineByUser(const VexUnicodeString& text);
  std::string DescribeState() const override;

 protected:
  ~VexDlgCombo() override = default;

 private:
  static constexpr const char* kSelect = "ComboSelect";
  int RowOf(const VexUnicodeString& text) const;

  std::vector<VexUnicodeString> lines_;
  int selected_ = -1;
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
};
