#include "VexGrdResultsFrm.h"

#include "VexGrdPanel.h"

VexGrdResultsFrm::VexGrdResultsFrm(VexDialog* father) : VexDlgFrame(father, "ResultsFrame", 0xc0001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdResultsFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdResultsFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}
