#pragma once
// The Associate tab: links plant elements of the selection to network nodes and branches.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdAssociateFrm : public VexDlgFrame {
 public:
  explicit VexGrdAssociateFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;
  void ProcessCSO();
  int UpdateObjectList(VexPathElementAgent* agent);
  void UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records);

 protected:
  ~VexGrdAssociateFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
