#pragma once
// What a combo and a selector list share: lines of text (rows count from 0) and a visible size.

#include <string>
#include <vector>

#include "VexDialog.h"

class VexDlgLineList : public VexDialog {
 public:
  /// Sets line `row` to `text`; row -1 (or the line count) appends a line.
  void SetLine(const VexUnicodeString& text, int row = -1);
  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  /// Copies line `row` into `text`; empties `text` for a row that does not exist (such as -1).
  void GetLine(int row, VexUnicodeString& text) const;

  void SetVisibleTextWidth(int characters) { visibleWidth_ = characters; }
  void SetVisibleTextHeight(int lines) { visibleHeight_ = lines; }
  int GetVisibleTextWidth() const { return visibleWidth_; }
  int GetVisibleTextHeight() const { return visibleHeight_; }

 protected:
  VexDlgLineList(VexDialog* parent, const char* identifier, int style)
      : VexDialog(parent, identifier, style) {}
  ~VexDlgLineList() override = default;

  /// "lines=[...]", the start of both widgets' DescribeState.
  std::string DescribeLines() const;

  std::vector<VexUnicodeString> lines_;

 private:
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
};
