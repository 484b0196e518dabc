#pragma once
// The Cables tab: cable-pull and wire-sizing jobs for routes of conduits and trays.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdCableFrm : public VexDlgFrame {
 public:
  explicit VexGrdCableFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;
  void LoadCableSettings(VexSettingRepository* repository);
  void SaveCableSettings(VexSettingRepository* repository);
  void ProcessCSO();

 protected:
  ~VexGrdCableFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
