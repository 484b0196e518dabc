#include "VexGrdProjFrm.h"

#include "VexGrdPanel.h"

VexGrdProjFrm::VexGrdProjFrm(VexDialog* father) : VexDlgFrame(father, "Prj_Frame", 0x80001) {
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  if (_pPanel) _pProject = _pPanel->GetProject();
}

const char* VexGrdProjFrm::GetResourceFileName(int level) const {
  return level == 0 ? "VexGrdProjFrm" : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdProjFrm::GetMasterFilePath(VexSettingRepository*) {}

void VexGrdProjFrm::SaveProjectSettings(VexSettingRepository*) {}
