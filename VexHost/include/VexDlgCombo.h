#pragma once
// A drop-down list of lines with at most one selected line (rows count from 0).

#include "VexDlgLineList.h"
#include "VexList.h"

class VexDlgCombo : public VexDlgLineList {
 public:
  VexDlgCombo(VexDialog* parent, const char* identifier, int style = 0)
      : VexDlgLineList(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgCombo"; }

  using VexDlgLineList::SetLine;
  /// Appends `count` lines in one call.
  void SetLine(const VexUnicodeString* texts, int count);
  void SetLine(const VexListValVexUnicodeString& texts);
  /// Removes every line; nothing is selected afterwards.
  void ClearLine();

  /// The selected row, -1 when none.
  int GetSelect() const { return selected_; }
  /// Selects `row` (-1: none); `notify` 1 also sends the select notification.
  void SetSelect(int row, int notify = 0);
  /// Selects the first line equal to `text`; a text no line holds leaves nothing selected.
  void SetSelect(const VexUnicodeString& text, int notify);

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

  int selected_ = -1;
};
