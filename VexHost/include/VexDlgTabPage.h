#pragma once
// One page of a tab container; only the selected page is on screen.

#include "VexDialog.h"

class VexDlgTabPage : public VexDialog {
 public:
  /// `parent` must be a VexDlgTabContainer; the page takes the next page number.
  VexDlgTabPage(VexDialog* parent, const char* identifier, int style = 0);
  const char* GetKindName() const override { return "VexDlgTabPage"; }

  bool IsDisplayed() const override;
  bool IsSelected() const;
  std::string DescribeState() const override;

 protected:
  ~VexDlgTabPage() override = default;
};
