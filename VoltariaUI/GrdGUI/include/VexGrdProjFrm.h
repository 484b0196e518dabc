#pragma once
// The Project tab: the EDSA master file, its recent list, the one-line diagram, the master data
// and the synchronization with the EDSA network file.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdProjFrm : public VexDlgFrame {
 public:
  explicit VexGrdProjFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;
  void GetMasterFilePath(VexSettingRepository* repository);
  void SaveProjectSettings(VexSettingRepository* repository);

 protected:
  ~VexGrdProjFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
