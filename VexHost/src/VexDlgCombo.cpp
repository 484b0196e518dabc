#include "VexDlgCombo.h"

void VexDlgCombo::SetLine(const VexUnicodeString* texts, int count) {
  for (int i = 0; texts && i < count; ++i) lines_.push_back(texts[i]);
  NotifyChange(VexDialogChange::State);
}

void VexDlgCombo::SetLine(const VexListValVexUnicodeString& texts) {
  for (const VexUnicodeString& text : texts) lines_.push_back(text);
  NotifyChange(VexDialogChange::State);
}

void VexDlgCombo::ClearLine() {
  lines_.clear();
  selected_ = -1;
  NotifyChange(VexDialogChange::State);
}

void VexDlgCombo::SetSelect(int row, int notify) {
  if (row < -1 || row >= GetLineCount()) ThrowBadValue("SetSelect", row);
  selected_ = row;
  NotifyChange(VexDialogChange::Selection);
  if (notify) NotifyEvent(kSelect);
}

void VexDlgCombo::SetSelect(const VexUnicodeString& text, int notify) {
  selected_ = RowOf(text);
  NotifyChange(VexDialogChange::Selection);
  if (notify) NotifyEvent(kSelect);
}

int VexDlgCombo::RowOf(const VexUnicodeString& text) const {
  for (int row = 0; row < GetLineCount(); ++row) {
    if (lines_[row] == text) return row;
  }
  return -1;
}

void VexDlgCombo::SelectLineByUser(int row) {
  if (row < 0 || row >= GetLineCount()) ThrowBadValue("SelectLineByUser", row);
  RunUserAction("select a line of", [this, row] {
    selected_ = row;
    NotifyChange(VexDialogChange::Selection);
    NotifyEvent(kSelect);
  });
}

void VexDlgCombo::SelectLineByUser(const VexUnicodeString& text) {
  int row = RowOf(text);
  if (row < 0) {
    throw VexInputError(1, "ComboLineMissing", kVexHostCatalog,
                        {VexUnicodeString(GetPathName()), text});
  }
  SelectLineByUser(row);
}

std::string VexDlgCombo::DescribeState() const {
  return DescribeLines() + " selected=" + std::to_string(selected_);
}
