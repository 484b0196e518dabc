#include "VexGrdNavigatorFrm.h"

#include "VexGrdPanel.h"

VexGrdNavigatorFrm::VexGrdNavigatorFrm(VexDialog* father) : VexDlgFrame(father, "NavigatorFrame", 0x80001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdNavigatorFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdNavigatorFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdNavigatorFrm::ProcessCSO() {}

void VexGrdNavigatorFrm::UpdateNavigator(VexPathElementAgent*) {}

void VexGrdNavigatorFrm::ReturnObjsToCSO() {}

void VexGrdNavigatorFrm::UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData*) {}

void VexGrdNavigatorFrm::BldNavCtxMenu(VexPathElementAgent*) {}

void VexGrdNavigatorFrm::DelNavCtxMenu() {}
