#pragma once
// The Analysis tab: starts EDSA analyses suited to the project's network type.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdAnalFrm : public VexDlgFrame {
 public:
  explicit VexGrdAnalFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

 protected:
  ~VexGrdAnalFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
