#pragma once
// A small frame with a list of programs and a "Run" button, ready to be placed in a page by
// whoever needs it. It is a layout only: nothing fills the list and the button has no callback.

#include "VexDlgFrame.h"

class VexDlgPushButton;
class VexDlgSelectorList;

class VexGrdCheckFrm : public VexDlgFrame {
 public:
  /// Builds the frame "Check_Frame" inside `father`.
  explicit VexGrdCheckFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

 protected:
  ~VexGrdCheckFrm() override;

 private:
  void InitializePrivateData();

  VexDlgFrame* _pCheckFrame;
  VexDlgPushButton* _pRunButton;
  VexDlgSelectorList* _pProgramList;
};
