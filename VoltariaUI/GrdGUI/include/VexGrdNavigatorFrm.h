#pragma once
// The Navigator tab: walks the network from the model in a navigation graph.
// This frame is an empty page for now: its widgets and behaviour arrive with its tab.

#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"

class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;
class VexSettingRepository;

class VexGrdNavigatorFrm : public VexDlgFrame {
 public:
  explicit VexGrdNavigatorFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;
  void ProcessCSO();
  void UpdateNavigator(VexPathElementAgent* agent);
  void ReturnObjsToCSO();
  void UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records);
  void BldNavCtxMenu(VexPathElementAgent* agent);
  void DelNavCtxMenu();

 protected:
  ~VexGrdNavigatorFrm() override = default;

 private:
  VexGrdPanel* _pPanel = nullptr;
  VexGrdProject* _pProject = nullptr;
};
