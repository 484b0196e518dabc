#include "VexDlgLineList.h"

void VexDlgLineList::SetLine(const VexUnicodeString& text, int row) {
  if (row == -1 || row == GetLineCount()) {
    lines_.push_back(text);
  } else if (row >= 0 && row < GetLineCount()) {
    lines_[row] = text;
  } else {
    ThrowBadValue("SetLine", row);
  }
  NotifyChange(VexDialogChange::State);
}

void VexDlgLineList::GetLine(int row, VexUnicodeString& text) const {
  text = row >= 0 && row < GetLineCount() ? lines_[row] : VexUnicodeString();
}

std::string VexDlgLineList::DescribeLines() const {
  std::string state = "lines=[";
  for (std::size_t i = 0; i < lines_.size(); ++i) state += (i ? ", " : "") + Quote(lines_[i]);
  return state + "]";
}
