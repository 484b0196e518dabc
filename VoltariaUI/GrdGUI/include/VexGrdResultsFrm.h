#pragma once
// The Results tab: text and colour presentation of EDSA analysis results.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdResultsFrm : public VexDlgFrame {
 public:
  explicit VexGrdResultsFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

 protected:
  ~VexGrdResultsFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
