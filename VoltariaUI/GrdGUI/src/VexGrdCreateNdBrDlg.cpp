#include "VexGrdCreateNdBrDlg.h"

#include "VexDlgCombo.h"
#include "VexDlgEditor.h"
#include "VexDlgFrame.h"
#include "VexDlgLabel.h"
#include "VexDlgMultiList.h"
#include "VexGrdCatalogText.h"
#include "VexGrdErrorHandler.h"
#include "VexGrdPanel.h"
#include "VexGrdTrace.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdCreateNdBrDlg";
constexpr const char* kDuplicateNodeId = "Duplicate Node Id: Specify another";
constexpr int kWarning = 2;
constexpr int kFrameJustification = 30;
constexpr int kWidgetJustification = 98;

VexDialog* WindowOf(VexDialog* opener) {
  if (!opener) return nullptr;
  VexDialog* window = opener->GetFatherWindow();
  return window ? window : opener;
}

bool IsProposable(const VexUnicodeString& id) {
  int length = id.GetLengthInChar();
  return length >= 1 && length <= VexGrdCreateNdBrDlg::kMaxNodeIdLength;
}

}  // namespace

VEX_IMPLEMENT_CLASS(VexGrdNodeBrIdSpecified, VexNotification, "VexNull", "VoltariaUI")

VexGrdCreateNdBrDlg::VexGrdCreateNdBrDlg(VexDialog* opener, VexGrdPanel* panel, const int& type,
                                         const VexUnicodeString& proposedNodeId,
                                         VexListValVexUnicodeString objectNames)
    : VexFrmDialog(WindowOf(opener), "NodeBranchDlg", 0x1041e01) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = panel;
  _pMainFrame = new VexDlgFrame(this, "CreateNdBrDlgMainFrm", 0x80001);
  _pMainFrame->SetGridConstraints(0, 0, 1, 1, kFrameJustification);
  SetOKSensitivity(kInsensitive);
  if (type == kNodeDialog) {
    _dialogType = kNodeDialog;
    BuildInformationFrame();
    BuildNodeFrame(proposedNodeId);
  } else if (type == kBranchDialog) {
    _dialogType = kBranchDialog;
    BuildInformationFrame();
    BuildBranchFrame();
  }
  FillObjectList(objectNames);

  AddAnalyseNotificationCB(this, GetDiaOKNotification(), &VexGrdCreateNdBrDlg::SelOK, nullptr);
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(), &VexGrdCreateNdBrDlg::SelCancel,
                           nullptr);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &VexGrdCreateNdBrDlg::SelCancel,
                           nullptr);
  SetDefaultButton(0);
}

VexGrdCreateNdBrDlg::~VexGrdCreateNdBrDlg() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  InitializePrivateData();
}

void VexGrdCreateNdBrDlg::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pMainFrame = nullptr;
  _pNodeFrame = nullptr;
  _pNodeLabel = nullptr;
  _pNodeEditor = nullptr;
  _pBranchFrame = nullptr;
  _pFromLabel = nullptr;
  _pFromCombo = nullptr;
  _pToLabel = nullptr;
  _pToCombo = nullptr;
  _pObjectFrame = nullptr;
  _pObjectList = nullptr;
  _pInfoFrame = nullptr;
  _pInfoIconLabel = nullptr;
  _pInfoLabel = nullptr;
  _pInfoIdLabel = nullptr;
  _pPanel = nullptr;
  _dialogType = 0;
}

const char* VexGrdCreateNdBrDlg::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexFrmDialog::GetResourceFileName(level - 1);
}

const VexListValVexUnicodeString* VexGrdCreateNdBrDlg::NodeList() const {
  return _pPanel ? _pPanel->GetListOfAllNodes() : nullptr;
}

// Building ----------------------------------------------------------------------------------------

void VexGrdCreateNdBrDlg::BuildInformationFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildInformationFrame");
  _pInfoFrame = new VexDlgFrame(_pMainFrame, "WarnInfoFrm", 0x40001);
  _pInfoFrame->SetGridConstraints(0, 0, 2, 1, kFrameJustification);
  _pInfoIconLabel = new VexDlgLabel(_pInfoFrame, "InfoIconLbl", 0);
  _pInfoIconLabel->SetIconName("I_GrdWarnNewNdBr");
  _pInfoIconLabel->SetGridConstraints(0, 0, 1, 1, kWidgetJustification);
  _pInfoLabel = new VexDlgLabel(_pInfoFrame, "InfoLbl", 0);
  _pInfoLabel->SetGridConstraints(1, 0, 1, 1, kWidgetJustification);
  _pInfoIdLabel = new VexDlgLabel(_pInfoFrame, "InfoVexNdBrLbl", 0);
  _pInfoIdLabel->SetGridConstraints(1, 1, 1, 1, kWidgetJustification);
}

void VexGrdCreateNdBrDlg::BuildObjectFrame(int row) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildObjectFrame");
  _pObjectFrame = new VexDlgFrame(_pMainFrame, "CurCSOFrm", 0x40001);
  _pObjectFrame->SetGridConstraints(0, 1, 1, 1, kFrameJustification);
  _pObjectList = new VexDlgMultiList(_pObjectFrame, "LstOfObjs", 0);
  _pObjectList->SetGridConstraints(0, row, 1, 1, kWidgetJustification);
  VexUnicodeString title = VexGrdCatalogText(_pPanel, "GrdGUI_CSO_Column1");
  _pObjectList->SetColumnTitles(1, &title);
  _pObjectList->SetVisibleLineCount(3);
  _pObjectList->SetVisibleTextWidth(30);
  _pObjectList->SetVisibleColumnCount(1);
}

void VexGrdCreateNdBrDlg::BuildNodeFrame(const VexUnicodeString& proposedNodeId) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildNodeFrame");
  _pNodeFrame = new VexDlgFrame(_pMainFrame, "CrNodeFrm", 1);
  _pNodeFrame->SetGridConstraints(1, 1, 1, 1, kFrameJustification);
  _pNodeLabel = new VexDlgLabel(_pNodeFrame, "NodeIdLbl", 0);
  _pNodeLabel->SetGridConstraints(0, 0, 1, 1, kWidgetJustification);
  _pNodeEditor = new VexDlgEditor(_pNodeFrame, "NodeIdEdt", 0);
  _pNodeEditor->SetGridConstraints(1, 0, 1, 1, kWidgetJustification);
  _pNodeEditor->SetMaxCharacterWidth(kMaxNodeIdLength);
  BuildObjectFrame(0);

  // A longer name is never shown: the editor could not hold it whole.
  if (IsProposable(proposedNodeId)) {
    _pNodeEditor->SetText(proposedNodeId, 0);
    SetOKSensitivity(kSensitive);
    _newNodeId = proposedNodeId;
  } else {
    SetOKSensitivity(kInsensitive);
  }
  AddAnalyseNotificationCB(_pNodeEditor, _pNodeEditor->GetEditModifyNotification(),
                           &VexGrdCreateNdBrDlg::EditNodeId, nullptr);
}

void VexGrdCreateNdBrDlg::BuildBranchFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildBranchFrame");
  _pBranchFrame = new VexDlgFrame(_pMainFrame, "CrBranchFrm", 1);
  _pBranchFrame->SetGridConstraints(1, 1, 1, 1, kFrameJustification);
  _pFromLabel = new VexDlgLabel(_pBranchFrame, "BrFromIdLbl", 0);
  _pFromLabel->SetGridConstraints(0, 0, 1, 1, kWidgetJustification);
  _pFromCombo = new VexDlgCombo(_pBranchFrame, "BrFromIdCmb", 0x40000);
  _pFromCombo->SetGridConstraints(1, 0, 1, 1, kWidgetJustification);
  _pFromCombo->SetVisibleTextWidth(kMaxNodeIdLength);
  _pFromCombo->SetVisibleTextHeight(5);
  _pToLabel = new VexDlgLabel(_pBranchFrame, "BrToIdLbl", 0);
  _pToLabel->SetGridConstraints(0, 1, 1, 1, kWidgetJustification);
  _pToCombo = new VexDlgCombo(_pBranchFrame, "BrToIdCmb", 0x40000);
  _pToCombo->SetGridConstraints(1, 1, 1, 1, kWidgetJustification);
  _pToCombo->SetVisibleTextWidth(kMaxNodeIdLength);
  _pToCombo->SetVisibleTextHeight(5);
  _pToCombo->SetSensitivity(kInsensitive);
  BuildObjectFrame(2);

  AddAnalyseNotificationCB(_pFromCombo, _pFromCombo->GetComboSelectNotification(),
                           &VexGrdCreateNdBrDlg::ChooseBrFromId, nullptr);
  AddAnalyseNotificationCB(_pToCombo, _pToCombo->GetComboSelectNotification(),
                           &VexGrdCreateNdBrDlg::ChooseBrToId, nullptr);
  if (const VexListValVexUnicodeString* nodes = NodeList()) {
    for (const VexUnicodeString& node : *nodes) {
      if (!node.IsEmpty()) _pFromCombo->SetLine(node, -1);
    }
    _pFromCombo->SetSelect(-1, 0);
  }
}

void VexGrdCreateNdBrDlg::FillObjectList(const VexListValVexUnicodeString& objectNames) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FillObjectList");
  if (!_pObjectList) return;
  int row = 0;
  for (const VexUnicodeString& name : objectNames) {
    _pObjectList->SetColumnItem(0, name, row++, VexDlgMultiList::kReplace);
  }
}

// Answers -----------------------------------------------------------------------------------------

int VexGrdCreateNdBrDlg::GetDialogType() {
  return _dialogType == kNodeDialog || _dialogType == kBranchDialog ? _dialogType : -1;
}

void VexGrdCreateNdBrDlg::GetNewNodeId(VexUnicodeString& id) { id = _newNodeId; }

void VexGrdCreateNdBrDlg::GetNewBranchId(VexUnicodeString& from, VexUnicodeString& to) {
  from = _newBranchFromId;
  to = _newBranchToId;
}

int VexGrdCreateNdBrDlg::DisplayError(const int& kind, const VexUnicodeString& message) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisplayError");
  const char* title = _dialogType == kNodeDialog     ? "Create New Node"
                      : _dialogType == kBranchDialog ? "Create New Branch"
                                                     : nullptr;
  if (!title) return 0;
  VexGrdErrorHandler handler;
  return handler.DisplayErrorPnl(kind, message, title);
}

// Callbacks ---------------------------------------------------------------------------------------

void VexGrdCreateNdBrDlg::EditNodeId(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EditNodeId");
  if (!_pPanel || !_pNodeEditor) return;
  VexUnicodeString text = _pNodeEditor->GetText();
  // An empty text is free too: OK then answers an empty identifier, and the opener creates nothing.
  if (_pPanel->DoesNodeExistAlready(text) == 0) {
    _newNodeId = text;
    SetOKSensitivity(kSensitive);
    return;
  }
  DisplayError(kWarning, kDuplicateNodeId);
  _pNodeEditor->ClearLine();
  _newNodeId = VexUnicodeString();
  SetOKSensitivity(kInsensitive);
}

void VexGrdCreateNdBrDlg::ChooseBrFromId(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ChooseBrFromId");
  if (_pFromCombo && _pFromCombo->GetLineCount() > 0 && _pFromCombo->GetSelect() >= 0) {
    VexUnicodeString from;
    _pFromCombo->GetLine(_pFromCombo->GetSelect(), from);
    if (!from.IsEmpty()) {
      // The to-node candidates depend on the from node, so it is chosen once.
      _newBranchFromId = from;
      _pFromCombo->SetSensitivity(kInsensitive);
      FillToCandidates();
    }
  }
  UpdateBranchOKSensitivity();
}

void VexGrdCreateNdBrDlg::FillToCandidates() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "FillToCandidates");
  const VexListValVexUnicodeString* nodes = NodeList();
  if (!_pToCombo || !nodes || !_pPanel) return;
  // Only the direction from the chosen node is tested: the reverse branch is another branch.
  VexListValVexUnicodeString candidates(nodes->Size());
  for (const VexUnicodeString& node : *nodes) {
    if (node.IsEmpty() || node == _newBranchFromId) continue;
    if (_pPanel->DoesBranchExistAlready(_newBranchFromId + "->" + node) == 0)
      candidates.Append(node);
  }
  if (candidates.Size() == 0) return;
  candidates.RemoveDuplicates();
  _pToCombo->ClearLine();
  _pToCombo->SetLine(candidates);
  if (_pToCombo->GetLineCount() >= 1) _pToCombo->SetSensitivity(kSensitive);
}

void VexGrdCreateNdBrDlg::ChooseBrToId(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ChooseBrToId");
  if (_pToCombo && _pToCombo->GetLineCount() > 0 && _pToCombo->GetSelect() >= 0) {
    VexUnicodeString to;
    _pToCombo->GetLine(_pToCombo->GetSelect(), to);
    if (!to.IsEmpty()) _newBranchToId = to;
  }
  UpdateBranchOKSensitivity();
}

void VexGrdCreateNdBrDlg::UpdateBranchOKSensitivity() {
  bool complete = !_newBranchFromId.IsEmpty() && !_newBranchToId.IsEmpty();
  SetOKSensitivity(complete ? kSensitive : kInsensitive);
}

void VexGrdCreateNdBrDlg::SelOK(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelOK");
  Announce();
}

void VexGrdCreateNdBrDlg::SelCancel(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelCancel");
  // The opener tells Cancel from OK by the identifiers alone.
  _newNodeId = VexUnicodeString();
  _newBranchFromId = VexUnicodeString();
  _newBranchToId = VexUnicodeString();
  Announce();
}

void VexGrdCreateNdBrDlg::Announce() {
  SetVisibility(kHidden);
  VexNotification_var specified(new VexGrdNodeBrIdSpecified);
  GetCallbackManager()->DispatchCallbacks(specified.get(), this);
}
