#include "VexGrdCableFrm.h"

#include "VexGrdPanel.h"

VexGrdCableFrm::VexGrdCableFrm(VexDialog* father) : VexDlgFrame(father, "Cables_Frame", 0x80001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdCableFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdCableFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdCableFrm::LoadCableSettings(VexSettingRepository*) {}

void VexGrdCableFrm::SaveCableSettings(VexSettingRepository*) {}

void VexGrdCableFrm::ProcessCSO() {}
