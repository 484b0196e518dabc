#pragma once
// A list of text lines for reading (rows count from 0).

#include <vector>

#include "VexDialog.h"

class VexDlgSelectorList : public VexDialog {
 public:
  VexDlgSelectorList(VexDialog* parent, const char* identifier, int style = 0)
      : VexDialog(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgSelectorList"; }

  /// Sets line `row` to `text`; row -1 (or the line count) appends a line.
  void SetLine(const VexUnicodeString& text, int row = -1);
  int GetLineCount() const { return static_cast<int>(lines_.size()); }
  /// Copies line `row` into `text`; empties `text` for a row that does not exist.
  void GetLine(int row, VexUnicodeString& text) const;
  void ClearLine() { lines_.clear(); }
  void SetVisibleTextWidth(int characters) { visibleWidth_ = characters; }
  void SetVisibleTextHeight(int lines) { visibleHeight_ = lines; }
  int GetVisibleTextWidth() const { return visibleWidth_; }
  int GetVisibleTextHeight() const { return visibleHeight_; }
  std::string DescribeState() const override;

 protected:
  ~VexDlgSelectorList() override = default;

 private:
  std::vector<VexUnicodeString> lines_;
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
};
