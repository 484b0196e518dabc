#pragma once
// A list of text lines for reading (rows count from 0).

#include "VexDlgLineList.h"

class VexDlgSelectorList : public VexDlgLineList {
 public:
  VexDlgSelectorList(VexDialog* parent, const char* identifier, int style = 0)
      : VexDlgLineList(parent, identifier, style) {}
  const char* GetKindName() const override { return "VexDlgSelectorList"; }

  void ClearLine() {
    lines_.clear();
    NotifyListChange(VexListChange::Reset, -1);
  }
  std::string DescribeState() const override { return DescribeLines(); }

 protected:
  ~VexDlgSelectorList() override = default;
};
