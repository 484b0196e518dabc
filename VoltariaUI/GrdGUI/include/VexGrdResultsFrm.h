#pragma once
// The Results tab: shows the outcome of EDSA analyses on the plant model. Text annotation lists
// the nodes and branches that have text results and, for the one chosen, its result lines; colour
// annotation colours the objects of the nodes and branches that have colour results in the first
// 3D viewer of the current editor. Computing and colouring belong to the project services.

#include "VexDlgFrame.h"

class VexDlgCombo;
class VexDlgLabel;
class VexDlgPushButton;
class VexDlgSelectorList;
class VexDlgSeparator;
class VexGrdPanel;
class VexGrdProject;

class VexGrdResultsFrm : public VexDlgFrame {
 public:
  /// Builds the tab inside `father` (the page "ResultsTab"); the panel is its father window.
  explicit VexGrdResultsFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  /// Push of "TextAnnotate": fills the combo with the identifiers that have text results.
  void ApplyTxtFilter(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Selection in "TxtNodeBranchCombo": lists the result lines of the chosen identifier.
  void DisplayTxtResults(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Push of "ColorAnnotate": colours the first 3D viewer by the colour results.
  void ApplyClrFilter(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdResultsFrm() override;

 private:
  void InitializePrivateData();
  void BuildTextResults();
  void BuildColorResults();
  void PlaceWidgets();
  void BindCallbacks();

  VexDlgFrame* _pTxtResultsFrame;
  VexDlgLabel* _pTxtResultIconLabel;
  VexDlgFrame* _pTxtFilterFrame;
  VexDlgSeparator* _pTxtSeparator;
  VexDlgLabel* _pViewTxtResultLabel;
  VexDlgFrame* _pViewTxtResultFrame;
  VexDlgLabel* _pTxtFilterLabel;
  VexDlgPushButton* _pTextAnnotateButton;
  VexDlgFrame* _pTxtLabelComboFrame;
  VexDlgLabel* _pTxtResultSelLabel;
  VexDlgCombo* _pNodeBranchCombo;
  VexDlgSelectorList* _pTxtResultsList;
  VexDlgFrame* _pClrResultsFrame;
  VexDlgLabel* _pClrResultIconLabel;
  VexDlgLabel* _pClrFilterLabel;
  VexDlgPushButton* _pColorAnnotateButton;
  VexGrdPanel* _pPanel;
  VexGrdProject* _pProject;
};
