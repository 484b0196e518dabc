#include "VexGrdAnalFrm.h"

#include "VexDlgCombo.h"
#include "VexDlgLabel.h"
#include "VexDlgPushButton.h"
#include "VexGrdCatalogText.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdTrace.h"

/// One variant of an analysis: the combo line that picks it, the network type it needs, the EDSA
/// run that starts it, and the two catalog texts that, one after the other, explain a refusal.
struct VexGrdAnalysisVariant {
  int line;
  const char* networkType;
  int (*run)(VexGrdProject&);
  const char* refusalKey;
  const char* requirementKey;
};

namespace {

// The run as a plain function: calls through a member pointer held in data crash in the
// sanitizer build, where the compiler also follows the virtual-call path.
template <int (VexGrdProject::*Run)()>
int Start(VexGrdProject& project) {
  return (project.*Run)();
}

// This file writes its entry, exit and data lines to GRDUI1.
VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdAnalFrm";
constexpr const char* kTitleKey = "GrdGUI_AnalysisTab_ErrorDialogTitle";
constexpr int kAnyLine = -2;  // the variant ignores the combo's selection
constexpr int kWarning = 2;
constexpr int kComboWidth = 20;

// Input errors of severity 1 to 3 are shown as warnings, others dropped; everything else goes on
// to the caller. No error lines: a refused variant is not an error and real ones are reported.
const VexGrdErrorTreatment kRunTreatment = [] {
  VexGrdErrorTreatment treatment = VexGrdTreatments::kWarnInput;
  treatment.lines = VexGrdErrorTreatment::Lines::None;
  return treatment;
}();

const VexGrdAnalysisVariant kShortCircuit[] = {
    {0, "3P", &Start<&VexGrdProject::Run_SCAC3P>, "GrdGUI_InvalidNetworkType",
     "GrdGUI_ChooseAC3Phase"},
    {1, "DC", &Start<&VexGrdProject::Run_SCDC>, "GrdGUI_InvalidNetworkType", "GrdGUI_ChooseDC"},
    {2, "1X", &Start<&VexGrdProject::Run_SCAC1PXF>, "GrdGUI_InvalidNetworkType",
     "GrdGUI_Choose1PhaseTransformer"},
};
// The DC load flow refusal opens with the master-file-type text, not the network-type one.
const VexGrdAnalysisVariant kLoadFlow[] = {
    {0, "3P", &Start<&VexGrdProject::Run_ACLFMAIN>, "GrdGUI_InvalidNetworkType",
     "GrdGUI_ChooseAC3Phase"},
    {1, "DC", &Start<&VexGrdProject::Run_DCLFMAIN>, "GrdGUI_InvalidMasterFileExt",
     "GrdGUI_ChooseDC"},
};
const VexGrdAnalysisVariant kMotorStart[] = {
    {0, "3P", &Start<&VexGrdProject::Run_MSTRMAIN>, "GrdGUI_InvalidNetworkType",
     "GrdGUI_ChooseAC3Phase"},
};
const VexGrdAnalysisVariant kHarmonics[] = {
    {kAnyLine, "3P", &Start<&VexGrdProject::Run_HARMMAIN>, "GrdGUI_InvalidNetworkType",
     "GrdGUI_ChooseAC3Phase"},
};

const char* const kShortCircuitOptions[] = {"GrdGUI_AnalysisTab_SC_Option1",
                                            "GrdGUI_AnalysisTab_SC_Option2",
                                            "GrdGUI_AnalysisTab_SC_Option3"};
const char* const kLoadFlowOptions[] = {"GrdGUI_AnalysisTab_LF_Option1",
                                        "GrdGUI_AnalysisTab_LF_Option2"};
const char* const kMotorStartOptions[] = {"GrdGUI_AnalysisTab_MotorStart_Option1"};
const char* const kHarmonicsOptions[] = {"GrdGUI_AnalysisTab_Harmonics_Option1"};

template <class T, int N>
constexpr int CountOf(const T (&)[N]) {
  return N;
}

const VexGrdAnalysisVariant* FindVariant(const VexGrdAnalysisVariant* variants, int count,
                                         int line) {
  for (int i = 0; i < count; ++i) {
    if (variants[i].line == line || variants[i].line == kAnyLine) return &variants[i];
  }
  return nullptr;
}

}  // namespace

VexGrdAnalFrm::VexGrdAnalFrm(VexDialog* father) : VexDlgFrame(father, "Anal_Frame", 0xc0001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  // The panel gives the combo texts, so it is needed before the widgets.
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());

  _pProgramFrame = new VexDlgFrame(this, "ProgFrm", 0x80001);
  BuildAnalysisRow(0, "ShortCirFrm", "ShortCirLbl", "ShortCirCmb", "ShortCirBtn",
                   kShortCircuitOptions, CountOf(kShortCircuitOptions), _pShortCircuitFrame,
                   _pShortCircuitLabel, _pShortCircuitCombo, _pShortCircuitButton);
  BuildAnalysisRow(1, "LoadFloFrm", "LoadFloLbl", "LoadFloCmb", "LoadFloBtn", kLoadFlowOptions,
                   CountOf(kLoadFlowOptions), _pLoadFlowFrame, _pLoadFlowLabel, _pLoadFlowCombo,
                   _pLoadFlowButton);
  BuildAnalysisRow(2, "MtrStartFrm", "MtrStartLbl", "MtrStartCmb", "MtrStartBtn",
                   kMotorStartOptions, CountOf(kMotorStartOptions), _pMotorStartFrame,
                   _pMotorStartLabel, _pMotorStartCombo, _pMotorStartButton);
  BuildAnalysisRow(3, "HarmonFrm", "HarmonLbl", "HarmonCmb", "HarmonBtn", kHarmonicsOptions,
                   CountOf(kHarmonicsOptions), _pHarmonicsFrame, _pHarmonicsLabel, _pHarmonicsCombo,
                   _pHarmonicsButton);

  _pWinEdsaFrame = new VexDlgFrame(_pProgramFrame, "WinEdsaFrm", 1);
  _pWinEdsaFrame->SetGridConstraints(0, 4, 1, 1, 30);
  _pWinEdsaLabel = new VexDlgLabel(_pWinEdsaFrame, "WinEdsaLbl", 0);
  _pWinEdsaLabel->SetGridConstraints(0, 0, 1, 1, 4);
  _pWinEdsaButton = new VexDlgPushButton(_pWinEdsaFrame, "WinEdsaBtn", 0);
  _pWinEdsaButton->SetGridConstraints(1, 0, 1, 1, 2);
  _pProgramFrame->SetGridConstraints(0, 0, 1, 1, 126);

  if (_pPanel) _pProject = _pPanel->GetProject();
  BindCallbacks();
}

VexGrdAnalFrm::~VexGrdAnalFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdAnalFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pProgramFrame = nullptr;
  _pProject = nullptr;
  _pPanel = nullptr;
  _pShortCircuitFrame = nullptr;
  _pShortCircuitLabel = nullptr;
  _pShortCircuitCombo = nullptr;
  _pShortCircuitButton = nullptr;
  _pLoadFlowFrame = nullptr;
  _pLoadFlowLabel = nullptr;
  _pLoadFlowCombo = nullptr;
  _pLoadFlowButton = nullptr;
  _pMotorStartFrame = nullptr;
  _pMotorStartLabel = nullptr;
  _pMotorStartCombo = nullptr;
  _pMotorStartButton = nullptr;
  _pHarmonicsFrame = nullptr;
  _pHarmonicsLabel = nullptr;
  _pHarmonicsCombo = nullptr;
  _pHarmonicsButton = nullptr;
  _pWinEdsaFrame = nullptr;
  _pWinEdsaLabel = nullptr;
  _pWinEdsaButton = nullptr;
}

const char* VexGrdAnalFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdAnalFrm::BuildAnalysisRow(int row, const char* frameId, const char* labelId,
                                     const char* comboId, const char* buttonId,
                                     const char* const* optionKeys, int optionCount,
                                     VexDlgFrame*& frame, VexDlgLabel*& label, VexDlgCombo*& combo,
                                     VexDlgPushButton*& button) {
  frame = new VexDlgFrame(_pProgramFrame, frameId, 1);
  frame->SetGridConstraints(0, row, 1, 1, 30);
  label = new VexDlgLabel(frame, labelId, 0);
  label->SetGridConstraints(0, 0, 1, 1, 4);
  combo = new VexDlgCombo(frame, comboId, 0x40000);
  for (int i = 0; i < optionCount; ++i) {
    combo->SetLine(VexGrdCatalogText(_pPanel, optionKeys[i]), -1);
  }
  combo->SetVisibleTextWidth(kComboWidth);
  // A drop-down shows its first variant, so Run always has one to start or refuse.
  combo->SetSelect(0, 0);
  combo->SetGridConstraints(1, 0, 1, 1, 2);
  button = new VexDlgPushButton(frame, buttonId, 0);
  button->SetGridConstraints(2, 0, 1, 1, 2);
}

void VexGrdAnalFrm::BindCallbacks() {
  AddAnalyseNotificationCB(_pShortCircuitButton,
                           _pShortCircuitButton->GetPushBActivateNotification(),
                           &VexGrdAnalFrm::RunShortCircuit, nullptr);
  AddAnalyseNotificationCB(_pLoadFlowButton, _pLoadFlowButton->GetPushBActivateNotification(),
                           &VexGrdAnalFrm::RunLoadFlow, nullptr);
  AddAnalyseNotificationCB(_pMotorStartButton, _pMotorStartButton->GetPushBActivateNotification(),
                           &VexGrdAnalFrm::RunMotorStart, nullptr);
  AddAnalyseNotificationCB(_pHarmonicsButton, _pHarmonicsButton->GetPushBActivateNotification(),
                           &VexGrdAnalFrm::RunHarmonics, nullptr);
  AddAnalyseNotificationCB(_pWinEdsaButton, _pWinEdsaButton->GetPushBActivateNotification(),
                           &VexGrdAnalFrm::RunWinEdsa, nullptr);
}

// Runs
// ---------------------------------------------------------------------------------------------

void VexGrdAnalFrm::RunShortCircuit(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "RunShortCircuit");
  RunSelectedVariant("RunShortCircuit", _pShortCircuitCombo, kShortCircuit, CountOf(kShortCircuit));
}

void VexGrdAnalFrm::RunLoadFlow(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "RunLoadFlow");
  RunSelectedVariant("RunLoadFlow", _pLoadFlowCombo, kLoadFlow, CountOf(kLoadFlow));
}

void VexGrdAnalFrm::RunMotorStart(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "RunMotorStart");
  RunSelectedVariant("RunMotorStart", _pMotorStartCombo, kMotorStart, CountOf(kMotorStart));
}

void VexGrdAnalFrm::RunHarmonics(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "RunHarmonics");
  RunSelectedVariant("RunHarmonics", _pHarmonicsCombo, kHarmonics, CountOf(kHarmonics));
}

void VexGrdAnalFrm::RunWinEdsa(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "RunWinEdsa");
  VexGrdRunGuarded(kRunTreatment, gTrace.grdui1, kClass, "RunWinEdsa", [this] {
    if (_pProject) _pProject->Run_WINEDSA();
  });
}

void VexGrdAnalFrm::RunSelectedVariant(const char* method, VexDlgCombo* combo,
                                       const VexGrdAnalysisVariant* variants, int variantCount) {
  VexGrdRunGuarded(kRunTreatment, gTrace.grdui1, kClass, method, [&] {
    int line = combo ? combo->GetSelect() : -1;
    if (!_pProject) return;
    VexUnicodeString networkType = _pProject->GetNetworkType();
    const VexGrdAnalysisVariant* variant = FindVariant(variants, variantCount, line);
    if (!variant) return;
    if (networkType == variant->networkType) {
      variant->run(*_pProject);
      return;
    }
    DisplayError(kWarning, VexGrdCatalogText(_pPanel, variant->refusalKey) +
                               VexGrdCatalogText(_pPanel, variant->requirementKey));
  });
}

int VexGrdAnalFrm::DisplayError(const int& kind, const VexUnicodeString& message) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "DisplayError",
                         VexGrdTraceScope::Shape::Entering);
  return VexGrdDisplayReport(_pPanel, kind, message, kTitleKey);
}
