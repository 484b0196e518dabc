#include "VexGrdCmd.h"

#include <new>

#include "VexClassDictionary.h"
#include "VexCommandState.h"
#include "VexDialogAgent.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdPanel.h"
#include "VexGrdTrace.h"
#include "VexIGrdNavigate.h"
#include "VexNotification.h"
#include "VexPathElementAgent.h"

namespace {

VexGrdTraceChannels gTrace(1, "STDOUT");
constexpr const char* kClass = "VexGrdCmd";

// Construction and graph building show low-severity internal errors and re-raise the rest,
// input errors included.
const VexGrdErrorTreatment kBuildTreatment{
    {}, 1, /*catchesInputErrors=*/false, VexGrdErrorTreatment::Lines::Standard};

// Activation shows every input error as a warning and low-severity internal errors as faults.
const VexGrdErrorTreatment kActivateTreatment{
    {2, 2, 2, 2, VexGrdErrorTreatment::kNotShown}, 1, true, VexGrdErrorTreatment::Lines::Standard};

constexpr int kActivationOnStart = 0;
constexpr int kHideValue = 4;
constexpr int kShowValue = 2;

VexBaseUnknown* CreateThroughDictionary() { return fctCreateVexGrdCmd(); }

// Loading the library makes the command known to the host under "VexGrdCmd".
struct FactoryRegistrar {
  FactoryRegistrar() { VexClassDictionary::Instance().Register("VexGrdCmd", &CreateThroughDictionary); }
  ~FactoryRegistrar() {
    VexClassDictionary::Instance().Unregister("VexGrdCmd", &CreateThroughDictionary);
  }
} gRegistrar;

void Rearm(VexPathElementAgent* agent) {
  if (agent) agent->InitializeAcquisition();
}

}  // namespace

VexGrdCmd* fctCreateVexGrdCmd() { return new (std::nothrow) VexGrdCmd(); }

VexGrdCmd::VexGrdCmd() : VexStateCommand("EDSA Command", 0, 0) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  VexGrdRunGuarded(kBuildTreatment, gTrace.grdui2, kClass, "Constructor", [this] {
    SetRepeatMode(0);
    _pPanel = new VexGrdPanel();
  });
}

VexGrdCmd::~VexGrdCmd() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  for (VexCommand* owned : std::initializer_list<VexCommand*>{
           _pPanel, _pCloseAgent, _pWndCloseAgent, _pObjectAgent, _pCtxMenuAgent, _pEndCtxMenuAgent}) {
    if (owned) VexCommandDeletion(owned);
  }
  InitializePrivateData();
}

void VexGrdCmd::InitializePrivateData() {
  _pPanel = nullptr;
  _pObjectAgent = nullptr;
  _pCtxMenuAgent = nullptr;
  _pEndCtxMenuAgent = nullptr;
  _pState = nullptr;
  _pCloseAgent = nullptr;
  _pWndCloseAgent = nullptr;
}

void VexGrdCmd::BuildGraph() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildGraph");
  VexGrdRunGuarded(kBuildTreatment, gTrace.grdui2, kClass, "BuildGraph", [this] {
    _pObjectAgent = new VexPathElementAgent("AecObject", nullptr, 0);
    _pObjectAgent->SetBehavior(0x800800);
    _pObjectAgent->SetElementType(VexIGrdNavigate::IID().name);

    _pCloseAgent = new VexDialogAgent("daOnClose", 0, 3);
    if (_pPanel) _pCloseAgent->AcceptOnNotify(_pPanel, _pPanel->GetDiaCANCELNotification());

    _pWndCloseAgent = new VexDialogAgent("daWndClose", 0, 3);
    if (_pPanel) _pWndCloseAgent->AcceptOnNotify(_pPanel, _pPanel->GetWindCloseNotification());

    _pCtxMenuAgent = new VexPathElementAgent("CtxMenuAgent");
    _pCtxMenuAgent->SetBehavior(0x4000000);
    _pCtxMenuAgent->SetElementType(VexIGrdNavigate::IID().name);

    _pEndCtxMenuAgent = new VexPathElementAgent("EndCtxMenuAgent");
    _pEndCtxMenuAgent->AcceptOnNotify(nullptr, "VexEndContext");

    _pState = GetInitialState("Select Element or Option");
    if (!_pState) return;
    for (VexAgent* agent : std::initializer_list<VexAgent*>{
             _pObjectAgent, _pCloseAgent, _pWndCloseAgent, _pCtxMenuAgent, _pEndCtxMenuAgent}) {
      _pState->AddDialogAgent(agent);
    }
    AddTransition(_pState, _pState, IsOutputSetCondition(_pObjectAgent), Action(&VexGrdCmd::ActElemSelect));
    AddTransition(_pState, _pState, IsOutputSetCondition(_pCtxMenuAgent), Action(&VexGrdCmd::ShowMenu));
    AddTransition(_pState, _pState, IsOutputSetCondition(_pEndCtxMenuAgent), Action(&VexGrdCmd::DelMenu));
    AddTransition(_pState, nullptr,
                  IsOutputSetCondition(_pCloseAgent) || IsOutputSetCondition(_pWndCloseAgent),
                  Action(&VexGrdCmd::Exit));
  });
}

int VexGrdCmd::Activate(VexCommand*, VexNotification* notification) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Activate");
  VexGrdRunGuarded(kActivateTreatment, gTrace.grdui2, kClass, "Activate", [&] {
    if (!notification || notification->GetValue() != kActivationOnStart || !_pPanel) return;
    _pPanel->LoadEDSASettings();
    _pPanel->SetVisibility(kShowValue);
    gTrace.grdui2.TraPutLN(2, "***Display Dialog***");
  });
  return 0;
}

int VexGrdCmd::Cancel(VexCommand*, VexNotification*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Cancel");
  return 0;
}

bool VexGrdCmd::ActElemSelect(void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ActElemSelect");
  if (_pPanel) _pPanel->ProcessSelect(_pObjectAgent);
  Rearm(_pObjectAgent);
  return true;
}

bool VexGrdCmd::ShowMenu(void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ShowMenu");
  if (_pCtxMenuAgent && _pPanel) _pPanel->BldCtxMenu(_pCtxMenuAgent);
  Rearm(_pCtxMenuAgent);
  return true;
}

bool VexGrdCmd::DelMenu(void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DelMenu");
  if (_pPanel) _pPanel->DelCtxMenu();
  Rearm(_pEndCtxMenuAgent);
  return true;
}

bool VexGrdCmd::Exit(void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Exit");
  if (_pPanel) {
    _pPanel->SaveEDSASettings();
    _pPanel->SetVisibility(kHideValue);
  }
  return true;
}
