#include "VexGrdAssociateFrm.h"

#include "VexGrdPanel.h"

VexGrdAssociateFrm::VexGrdAssociateFrm(VexDialog* father) : VexDlgFrame(father, "Branch_Frame", 0x80001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdAssociateFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdAssociateFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdAssociateFrm::ProcessCSO() {}

int VexGrdAssociateFrm::UpdateObjectList(VexPathElementAgent*) { return 0; }

void VexGrdAssociateFrm::UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData*) {}
