#include "VexGrdNavigViewer.h"

#include "VexDlgCheckButton.h"
#include "VexFrmEditor.h"
#include "VexGrdTrace.h"
#include "VexGraph.h"
#include "VexGraphContextNotification.h"
#include "VexImplViewer.h"
#include "VexNavigBox.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdNavigViewer";

constexpr int kGraphStyle = 1;
constexpr const char* kNavigationProfile = "DUDUzodavu";
constexpr int kBoxWidth = 350;
constexpr int kBoxHeight = 200;
constexpr int kGraphDepth = 2;
constexpr int kExtensionMode = 5;

}  // namespace

VexGrdNavigViewer::VexGrdNavigViewer(VexDialog* parent)
    : VexDlgFrame(parent, kClass, 0x80000) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  SetDefaultOrientation(0);
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  if (!editor) return;
  BuildNavigationBox(editor);

  _pReframeCheck = new VexDlgCheckButton(this, "ReframeCheck", 0);
  _pReframeCheck->SetState(VexDlgCheckButton::kChecked, 0);
  _pReframeCheck->SetVisibility(kHidden);

  AddAnalyseNotificationCB(nullptr, "VexGraphContextNotification", &VexGrdNavigViewer::ProcessMenu,
                           nullptr);
}

void VexGrdNavigViewer::BuildNavigationBox(VexFrmEditor* editor) {
  _pNavigBox = new VexNavigBox(this, "WindowBox", editor, kGraphStyle, kNavigationProfile,
                               kBoxWidth, kBoxHeight, nullptr, nullptr);
  VexNavigController* controller = _pNavigBox->GetController();
  controller->SetDepth(kGraphDepth);
  controller->SetNoDuplicate(1);
  controller->SetExtensionMode(kExtensionMode);
  controller->SetActivatorsVisibility(0);

  VexVar<VexImplViewer> container(_pNavigBox->GetContainer());
  if (container && container->GetGraph()) container->GetGraph()->setHorizontalCentered(1);
}

VexGrdNavigViewer::~VexGrdNavigViewer() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdNavigViewer::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pNavigBox = nullptr;
  _pReframeCheck = nullptr;
}

const char* VexGrdNavigViewer::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

VexNavigBox* VexGrdNavigViewer::GetGraphViewer() { return _pNavigBox; }

VexNavigController* VexGrdNavigViewer::GetController() {
  return _pNavigBox ? _pNavigBox->GetController() : nullptr;
}

int VexGrdNavigViewer::GetReframe() {
  return _pReframeCheck && _pReframeCheck->GetState() == VexDlgCheckButton::kChecked ? 1 : 0;
}

void VexGrdNavigViewer::ProcessMenu(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessMenu");
}
