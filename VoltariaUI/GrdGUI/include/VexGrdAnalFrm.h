#pragma once
// The Analysis tab: starts EDSA analyses (short circuit, load flow, motor starting, harmonics)
// and the interactive EDSA program on the current project. For each analysis the person picks a
// variant and presses its button; the tab runs the variant's program when the project's network
// type suits it and otherwise says which network type the variant needs. Running the programs
// belongs to the project services.

#include "VexDlgFrame.h"

class VexDlgCombo;
class VexDlgLabel;
class VexDlgPushButton;
class VexGrdPanel;
class VexGrdProject;
struct VexGrdAnalysisVariant;

class VexGrdAnalFrm : public VexDlgFrame {
 public:
  /// Builds the tab inside `father` (the page "AnalysisTab"); the panel is its father window.
  explicit VexGrdAnalFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  void RunShortCircuit(VexCommand* sender, VexNotification* notification, void* clientData);
  void RunLoadFlow(VexCommand* sender, VexNotification* notification, void* clientData);
  void RunMotorStart(VexCommand* sender, VexNotification* notification, void* clientData);
  void RunHarmonics(VexCommand* sender, VexNotification* notification, void* clientData);
  void RunWinEdsa(VexCommand* sender, VexNotification* notification, void* clientData);

  /// Shows `message` under the tab's title; the result of the error-display service.
  int DisplayError(const int& kind, const VexUnicodeString& message);

 protected:
  ~VexGrdAnalFrm() override;

 private:
  void InitializePrivateData();
  /// One analysis row: its frame, label, combo of variants and button, in grid row `row`.
  void BuildAnalysisRow(int row, const char* frameId, const char* labelId, const char* comboId,
                        const char* buttonId, const char* const* optionKeys, int optionCount,
                        VexDlgFrame*& frame, VexDlgLabel*& label, VexDlgCombo*& combo,
                        VexDlgPushButton*& button);
  void BindCallbacks();
  /// Runs the variant of `variants` that the combo's selected line names, or explains which
  /// network type it needs.
  void RunSelectedVariant(const char* method, VexDlgCombo* combo,
                          const VexGrdAnalysisVariant* variants, int variantCount);

  VexDlgFrame* _pProgramFrame;
  VexGrdProject* _pProject;
  VexGrdPanel* _pPanel;
  VexDlgFrame* _pShortCircuitFrame;
  VexDlgLabel* _pShortCircuitLabel;
  VexDlgCombo* _pShortCircuitCombo;
  VexDlgPushButton* _pShortCircuitButton;
  VexDlgFrame* _pLoadFlowFrame;
  VexDlgLabel* _pLoadFlowLabel;
  VexDlgCombo* _pLoadFlowCombo;
  VexDlgPushButton* _pLoadFlowButton;
  VexDlgFrame* _pMotorStartFrame;
  VexDlgLabel* _pMotorStartLabel;
  VexDlgCombo* _pMotorStartCombo;
  VexDlgPushButton* _pMotorStartButton;
  VexDlgFrame* _pHarmonicsFrame;
  VexDlgLabel* _pHarmonicsLabel;
  VexDlgCombo* _pHarmonicsCombo;
  VexDlgPushButton* _pHarmonicsButton;
  VexDlgFrame* _pWinEdsaFrame;
  VexDlgLabel* _pWinEdsaLabel;
  VexDlgPushButton* _pWinEdsaButton;
};
