#include "VexDlgLineList.h"

void VexDlgLineList::SetLine(const VexUnicodeString& text, int row) {
  if (row == -1 || row == GetLineCount()) {
    lines_.push_back(text);
    NotifyListChange(VexListChange::Appended, GetLineCount() - 1);
  } else if (row >= 0 && row < GetLineCount()) {
    lines_[row] = text;
    NotifyListChange(VexListChange::Replaced, row);
  } else {
    ThrowBadValue("SetLine", row);
  }
}

void VexDlgLineList::GetLine(int row, VexUnicodeString& text) const {
  text = row >= 0 && row < GetLineCount() ? lines_[row] : VexUnicodeString();
}

std::string VexDlgLineList::DescribeLines() const {
  std::string state = "lines=[";
  for (std::size_t i = 0; i < lines_.size(); ++i) state += (i ? ", " : "") + Quote(lines_[i]);
  return state + "]";
}
