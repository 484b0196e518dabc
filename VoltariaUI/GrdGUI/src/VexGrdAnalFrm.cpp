#include "VexGrdAnalFrm.h"

#include "VexGrdPanel.h"

VexGrdAnalFrm::VexGrdAnalFrm(VexDialog* father) : VexDlgFrame(father, "Anal_Frame", 0xc0001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdAnalFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdAnalFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}
