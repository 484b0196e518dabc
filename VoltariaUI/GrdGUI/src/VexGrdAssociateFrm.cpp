#include "VexGrdAssociateFrm.h"

#include <numeric>

#include "VexAECReviewBaseServices.h"
#include "VexCSO.h"
#include "VexDlgCheckButton.h"
#include "VexDlgLabel.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushButton.h"
#include "VexDlgSeparator.h"
#include "VexFrmEditor.h"
#include "VexGrdCatalogText.h"
#include "VexGrdCreateNdBrDlg.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdTrace.h"
#include "VexIGrd3DComponent.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"
#include "VexPathElementAgent.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdAssociateFrm";
constexpr int kNodeRecord = 1;
constexpr int kBranchRecord = 2;
constexpr int kInvalidInputKind = 3;

// Attaching shows the services' errors and goes on: one refused element never stops the next.
const VexGrdErrorTreatment kAttachTreatment{
    {1, 2, 2, 2, VexGrdErrorTreatment::kNotShown}, 1, true, VexGrdErrorTreatment::Lines::Caught};
// Answering the create dialog re-raises input errors of a severity it does not know.
const VexGrdErrorTreatment kAutoIdTreatment{
    {1, 2, 2, 2, VexGrdErrorTreatment::kReraise}, 1, true, VexGrdErrorTreatment::Lines::CaughtInternal};

void SetUsable(VexDialog* widget, bool usable) {
  if (widget) widget->SetSensitivity(usable ? VexDialog::kSensitive : VexDialog::kInsensitive);
}

void Place(VexDialog* widget, int column, int row, int justification, int columnSpan = 1) {
  widget->SetGridConstraints(column, row, columnSpan, 1, justification);
}

bool HasSelectedRow(const VexDlgMultiList* list) { return list && list->GetSelectCount() > 0; }

bool HasRows(const VexDlgMultiList* list) { return list && list->GetLineCount() > 0; }

// Column `column` of the selected row of a one-row-at-a-time list; empty when none is selected.
VexUnicodeString SelectedCell(const VexDlgMultiList* list, int column) {
  VexUnicodeString text;
  int row = -1;
  if (HasSelectedRow(list) && list->GetSelect(&row, 1) == 1) list->GetColumnItem(column, text, row);
  return text;
}

// The status cell of a record, or null when the record is not listed.
const VexUnicodeString* StatusCell(int assocStatus, bool showAll) {
  static const VexUnicodeString unlinked(" ");
  static const VexUnicodeString linked("X");
  if (assocStatus == 0) return &unlinked;
  if (assocStatus == 1 && showAll) return &linked;
  return nullptr;
}

VexUnicodeString TypeTextOf(const VexIAECElement_var& element) {
  VexITypeDescriptor_var type = element->GetTypeDescriptor();
  return type ? type->GetTypeText() : VexUnicodeString();
}

// Whether `element` is linked to the node or branch `id` already. The element is asked rather than
// the node or branch: an element has few links, a node may hold thousands of elements.
bool IsLinkedAlready(const VexIAECElement_var& element, int recordClass,
                     const VexUnicodeString& id) {
  VexIGrd3DComponent_var component(element);
  if (!component) return false;
  VexListValVexUnicodeString linked =
      recordClass == kNodeRecord ? component->GetLinkedNodeIds() : component->GetLinkedBranchIds();
  if (linked.Locate(id) == 0) return false;
  gTrace.grdui2.TraPutLN(3, "Duplicate Association Averted");
  return true;
}

}  // namespace

// Construction ------------------------------------------------------------------------------------

VexGrdAssociateFrm::VexGrdAssociateFrm(VexDialog* father)
    : VexDlgFrame(father, "Branch_Frame", 0x80001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  BuildWidgets();
  BindCallbacks();
  if (_pPanel) _pProject = _pPanel->GetProject();
  ProcessCSO();
}

VexGrdAssociateFrm::~VexGrdAssociateFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  if (_pCreateDialog) {
    RemoveSubscriberCallbacks(_pCreateDialog);
    VexCommandDeletion(_pCreateDialog);
  }
  InitializePrivateData();
}

void VexGrdAssociateFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pAssocFrame = nullptr;
  _pAssocIconLabel = nullptr;
  _pNodeBranchFrame = nullptr;
  _pSelObjFrame = nullptr;
  _pNodeFrame = nullptr;
  _pNodeBranchSeparator = nullptr;
  _pBranchFrame = nullptr;
  _pShowAllCheck = nullptr;
  _pNodeIconLabel = nullptr;
  _pNodeList = nullptr;
  _pNodeOperFrame = nullptr;
  _pCreateNodeLabel = nullptr;
  _pCreateNodeButton = nullptr;
  _pBranchIconLabel = nullptr;
  _pBranchList = nullptr;
  _pBranchOperFrame = nullptr;
  _pCreateBranchLabel = nullptr;
  _pCreateBranchButton = nullptr;
  _pSelObjsLabel = nullptr;
  _pSelObjList = nullptr;
  _pSelObjCntrlFrame = nullptr;
  _pSelAllButton = nullptr;
  _pDeSelButton = nullptr;
  _pAssocLabel = nullptr;
  _pLinkButton = nullptr;
  _pPanel = nullptr;
  _pProject = nullptr;
  _pCreateDialog = nullptr;
  _listedElements.clear();
  _elementsToLink.clear();
}

const char* VexGrdAssociateFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

void VexGrdAssociateFrm::BuildWidgets() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildWidgets");
  _pAssocFrame = new VexDlgFrame(this, "NdBrCr8AssocFrm", 1);
  Place(_pAssocFrame, 0, 0, 30);
  _pAssocIconLabel = new VexDlgLabel(_pAssocFrame, "AssociateLblIcon");
  Place(_pAssocIconLabel, 0, 0, 2);
  _pAssocIconLabel->SetIconName("I_GrdAssociate");
  _pNodeBranchFrame = new VexDlgFrame(_pAssocFrame, "NodeBranchFrm", 0x80001);
  Place(_pNodeBranchFrame, 1, 1, 30);
  _pSelObjFrame = new VexDlgFrame(_pAssocFrame, "SelObjFrm", 1);
  Place(_pSelObjFrame, 1, 2, 30);

  _pNodeFrame = new VexDlgFrame(_pNodeBranchFrame, "NodeFrm", 0x80001);
  Place(_pNodeFrame, 0, 0, 2);
  _pNodeBranchSeparator = new VexDlgSeparator(_pNodeBranchFrame, "NdBrVerSep1", 0x80000);
  Place(_pNodeBranchSeparator, 1, 0, 30);
  _pNodeBranchSeparator->SetVisibility(kHidden);
  _pBranchFrame = new VexDlgFrame(_pNodeBranchFrame, "BranchFrm", 0x80001);
  Place(_pBranchFrame, 2, 0, 4);
  _pShowAllCheck = new VexDlgCheckButton(_pNodeBranchFrame, "ShowAllCheck");
  Place(_pShowAllCheck, 0, 1, 2);
  _pShowAllCheck->SetState(VexDlgCheckButton::kUnchecked, 0);

  BuildNodeFrame();
  BuildBranchFrame();
  BuildSelectedObjectsFrame();
}

void VexGrdAssociateFrm::BuildNodeFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildNodeFrame");
  _pNodeIconLabel = new VexDlgLabel(_pNodeFrame, "NodeFrmIconLbl");
  Place(_pNodeIconLabel, 0, 0, 2);
  _pNodeIconLabel->SetIconName("I_GrdAssociatedNode");
  _pNodeList = new VexDlgMultiList(_pNodeFrame, "VexNodeList", 0);
  Place(_pNodeList, 0, 1, 2);
  VexUnicodeString titles[2];
  if (_pPanel) {
    titles[0] = _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_NodeStatusColumn");
    titles[1] = _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_NodeIdColumn");
  }
  _pNodeList->SetColumnTitles(2, titles);
  _pNodeList->SetColumnTextWidth(1, 0);
  _pNodeList->SetColumnTextWidth(9, 1);
  _pNodeList->SetVisibleColumnCount(2);
  _pNodeList->SetVisibleLineCount(4);

  _pNodeOperFrame = new VexDlgFrame(_pNodeFrame, "NodeOperFrm", 0x80001);
  Place(_pNodeOperFrame, 0, 2, 2);
  _pCreateNodeLabel = new VexDlgLabel(_pNodeOperFrame, "CreateNewNodeLbl");
  Place(_pCreateNodeLabel, 0, 0, 2);
  _pCreateNodeButton = new VexDlgPushButton(_pNodeOperFrame, "CreateNewNode");
  Place(_pCreateNodeButton, 1, 0, 2);
  SetUsable(_pCreateNodeButton, false);
}

void VexGrdAssociateFrm::BuildBranchFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildBranchFrame");
  _pBranchIconLabel = new VexDlgLabel(_pBranchFrame, "BranchFrmIconLbl");
  Place(_pBranchIconLabel, 0, 0, 2);
  _pBranchIconLabel->SetIconName("I_GrdAssociatedBranch");
  _pBranchList = new VexDlgMultiList(_pBranchFrame, "VexBranchList", 0);
  Place(_pBranchList, 0, 1, 2, 3);
  VexUnicodeString titles[3];
  if (_pPanel) {
    titles[0] = _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchStatusColumn");
    titles[1] = _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchFromIdColumn");
    titles[2] = _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchToIdColumn");
  }
  _pBranchList->SetColumnTitles(3, titles);
  _pBranchList->SetColumnTextWidth(1, 0);
  _pBranchList->SetColumnTextWidth(9, 1);
  _pBranchList->SetColumnTextWidth(9, 2);
  _pBranchList->SetVisibleColumnCount(3);
  _pBranchList->SetVisibleLineCount(4);

  _pBranchOperFrame = new VexDlgFrame(_pBranchFrame, "BranchOperFrm", 0x80001);
  Place(_pBranchOperFrame, 0, 2, 2);
  _pCreateBranchLabel = new VexDlgLabel(_pBranchOperFrame, "CreateNewBranchLbl");
  Place(_pCreateBranchLabel, 0, 0, 2);
  _pCreateBranchButton = new VexDlgPushButton(_pBranchOperFrame, "CreateNewBranch");
  Place(_pCreateBranchButton, 1, 0, 2);
  SetUsable(_pCreateBranchButton, false);
}

void VexGrdAssociateFrm::BuildSelectedObjectsFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildSelectedObjectsFrame");
  _pSelObjsLabel = new VexDlgLabel(_pSelObjFrame, "SelObjsLbl");
  Place(_pSelObjsLabel, 0, 0, 4);
  _pSelObjList =
      new VexDlgMultiList(_pSelObjFrame, "LstOfSelObj", VexDlgMultiList::kMultipleSelection);
  Place(_pSelObjList, 1, 0, 2, 3);
  VexUnicodeString titles[2];
  if (_pPanel) {
    titles[0] = _pPanel->GetMsgCatalogString("GrdGUI_CSO_Column1");
    titles[1] = _pPanel->GetMsgCatalogString("GrdGUI_CSO_Column2");
  }
  _pSelObjList->SetColumnTitles(2, titles);
  _pSelObjList->SetColumnTextWidth(12, 0);
  _pSelObjList->SetColumnTextWidth(12, 1);
  _pSelObjList->SetVisibleColumnCount(2);
  _pSelObjList->SetVisibleLineCount(4);
  SetUsable(_pSelObjList, false);

  _pSelObjCntrlFrame = new VexDlgFrame(_pSelObjFrame, "SelObjCntrlFrm", 0x80001);
  Place(_pSelObjCntrlFrame, 1, 1, 126);
  _pSelAllButton = new VexDlgPushButton(_pSelObjCntrlFrame, "SelAllObjsBtn");
  Place(_pSelAllButton, 0, 0, 2);
  SetUsable(_pSelAllButton, false);
  _pDeSelButton = new VexDlgPushButton(_pSelObjCntrlFrame, "DeSelObjsBtn");
  Place(_pDeSelButton, 1, 0, 2);
  SetUsable(_pDeSelButton, false);
  _pAssocLabel = new VexDlgLabel(_pSelObjFrame, "AssocLbl");
  Place(_pAssocLabel, 0, 2, 4);
  _pLinkButton = new VexDlgPushButton(_pSelObjFrame, "LinkObjBtn");
  Place(_pLinkButton, 1, 2, 2);
  SetUsable(_pLinkButton, false);
}

void VexGrdAssociateFrm::BindCallbacks() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BindCallbacks");
  AddAnalyseNotificationCB(_pShowAllCheck, _pShowAllCheck->GetChkBModifyNotification(),
                           &VexGrdAssociateFrm::ChooseShowAllChkBtn, nullptr);
  AddAnalyseNotificationCB(_pCreateNodeButton, _pCreateNodeButton->GetPushBActivateNotification(),
                           &VexGrdAssociateFrm::CreateNewNodeAssoc, nullptr);
  AddAnalyseNotificationCB(_pNodeList, _pNodeList->GetListSelectNotification(),
                           &VexGrdAssociateFrm::SelNode, nullptr);
  AddAnalyseNotificationCB(_pCreateBranchButton,
                           _pCreateBranchButton->GetPushBActivateNotification(),
                           &VexGrdAssociateFrm::CreateNewBranchAssoc, nullptr);
  AddAnalyseNotificationCB(_pBranchList, _pBranchList->GetListSelectNotification(),
                           &VexGrdAssociateFrm::SelBranch, nullptr);
  AddAnalyseNotificationCB(_pSelObjList, _pSelObjList->GetListSelectNotification(),
                           &VexGrdAssociateFrm::SelObjects, nullptr);
  AddAnalyseNotificationCB(_pSelAllButton, _pSelAllButton->GetPushBActivateNotification(),
                           &VexGrdAssociateFrm::SelAllObjects, nullptr);
  AddAnalyseNotificationCB(_pDeSelButton, _pDeSelButton->GetPushBActivateNotification(),
                           &VexGrdAssociateFrm::DeSelectAllObjects, nullptr);
  AddAnalyseNotificationCB(_pLinkButton, _pLinkButton->GetPushBActivateNotification(),
                           &VexGrdAssociateFrm::Associate, nullptr);
}

// Selection ---------------------------------------------------------------------------------------

void VexGrdAssociateFrm::ProcessCSO() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessCSO");
  ClearElementRows();
  SetUsable(_pCreateNodeButton, false);
  SetUsable(_pCreateBranchButton, false);
  EnableCreateButtons();
  // New rows under a node or branch that stays chosen are ready to be picked at once.
  ApplyNodeBranchChoice();
}

void VexGrdAssociateFrm::ClearElementRows() {
  if (_pSelObjList) _pSelObjList->ClearLine();
  _listedElements.clear();
}

void VexGrdAssociateFrm::EnableCreateButtons() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EnableCreateButtons");
  std::unique_ptr<VexListValVexBaseUnknown_var> elements =
      _selectionConverter.GetObjectsInCSO(VexIAECElement::IID().name);
  if (!elements || elements->Size() == 0) return;
  ClearElementRows();
  for (const VexBaseUnknown_var& object : *elements) {
    VexIAECElement_var element(object);
    if (element) AddElemToLstOfSelObj(element);
  }
  // The create dialog lists and links the listed elements; without any it has nothing to do.
  if (_listedElements.empty()) return;
  EnableNewNodeButton(_listedElements.size() == 1 ? _listedElements.front()->GetName()
                                                  : VexUnicodeString());
  SetUsable(_pCreateBranchButton, true);
}

void VexGrdAssociateFrm::AddElemToLstOfSelObj(const VexIAECElement_var& element) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "AddElemToLstOfSelObj");
  if (!element || !_pSelObjList) return;
  VexUnicodeString name = element->GetName();
  if (name.IsEmpty()) return;
  int row = _pSelObjList->GetLineCount();
  _pSelObjList->SetColumnItem(0, name, row, VexDlgMultiList::kReplace);
  VexUnicodeString type = TypeTextOf(element);
  if (!type.IsEmpty()) _pSelObjList->SetColumnItem(1, type, row, VexDlgMultiList::kReplace);
  _listedElements.push_back(element);
}

VexIAECElement_var VexGrdAssociateFrm::GetElementFromCSO(const int& row) {
  if (row < 0 || row >= static_cast<int>(_listedElements.size())) return nullptr;
  return _listedElements[static_cast<std::size_t>(row)];
}

int VexGrdAssociateFrm::UpdateObjectList(VexPathElementAgent* agent) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateObjectList");
  if (VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor()) {
    VexCSO* cso = editor->GetCSO();
    cso->Empty();
    VexIAECElement_var element(agent ? agent->GetElementValue() : VexBaseUnknown_var());
    if (element) {
      VexPathElement_var path =
          VexAECReviewBaseServices::GetPathElement(VexBaseUnknown_var(element));
      if (path) cso->AddElement(VexBaseUnknown_var(path));
    }
    ProcessCSO();
  }
  return HasRows(_pSelObjList) ? 1 : 0;
}

// Node and branch lists ---------------------------------------------------------------------------

void VexGrdAssociateFrm::UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateNodeBranchLists");
  bool showAll = _pShowAllCheck && _pShowAllCheck->GetState() == VexDlgCheckButton::kChecked;
  if (_pNodeList) _pNodeList->ClearLine();
  if (_pBranchList) _pBranchList->ClearLine();
  for (int i = 1; records && i <= records->Size(); ++i) ListRecord((*records)[i], showAll);
  // The refill drops the chosen node or branch row, and with it what the list may do.
  ApplyNodeBranchChoice();
}

void VexGrdAssociateFrm::ListRecord(const VexGrdNodeBrData* record, bool showAll) {
  if (!record || record->GetId().IsEmpty()) return;
  const VexUnicodeString* status = StatusCell(record->GetAssocStatus(), showAll);
  if (!status) return;
  if (record->GetIdClass() == kNodeRecord && _pNodeList) {
    int row = _pNodeList->GetLineCount();
    _pNodeList->SetColumnItem(0, *status, row, VexDlgMultiList::kReplace);
    _pNodeList->SetColumnItem(1, record->GetId(), row, VexDlgMultiList::kReplace);
  } else if (record->GetIdClass() == kBranchRecord && _pBranchList && _pPanel) {
    VexUnicodeString from, to;
    _pPanel->SplitBranchId(record->GetId(), &from, &to);
    if (from.IsEmpty() || to.IsEmpty()) return;
    int row = _pBranchList->GetLineCount();
    _pBranchList->SetColumnItem(0, *status, row, VexDlgMultiList::kReplace);
    _pBranchList->SetColumnItem(1, from, row, VexDlgMultiList::kReplace);
    _pBranchList->SetColumnItem(2, to, row, VexDlgMultiList::kReplace);
  }
}

void VexGrdAssociateFrm::ChooseShowAllChkBtn(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ChooseShowAllChkBtn");
  if (_pShowAllCheck && _pPanel) _pPanel->UpdatePanelsWithNodeBranchInfo();
}

// Page state --------------------------------------------------------------------------------------

void VexGrdAssociateFrm::SelNode(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelNode");
  if (!HasRows(_pNodeList)) return;
  if (_pBranchList) _pBranchList->ClearSelect();  // one node or one branch, never both
  ApplyNodeBranchChoice();
}

void VexGrdAssociateFrm::SelBranch(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelBranch");
  if (!HasRows(_pBranchList)) return;
  if (_pNodeList) _pNodeList->ClearSelect();
  ApplyNodeBranchChoice();
}

bool VexGrdAssociateFrm::IsNodeOrBranchChosen() const {
  return HasSelectedRow(_pNodeList) || HasSelectedRow(_pBranchList);
}

void VexGrdAssociateFrm::ApplyNodeBranchChoice() {
  DisableAssociateFrame();
  if (!IsNodeOrBranchChosen()) return;
  EnableAssociateFrame();
  if (HasRows(_pSelObjList)) SetUsable(_pDeSelButton, true);
}

void VexGrdAssociateFrm::EnableAssociateFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EnableAssociateFrame");
  if (!HasRows(_pSelObjList)) return;
  _pSelObjList->ClearSelect();
  SetUsable(_pSelObjList, true);
  SetUsable(_pLinkButton, false);
  SetUsable(_pSelAllButton, true);
  SetUsable(_pDeSelButton, false);
}

void VexGrdAssociateFrm::DisableAssociateFrame() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisableAssociateFrame");
  if (_pSelObjList) _pSelObjList->ClearSelect();
  SetUsable(_pSelObjList, false);
  SetUsable(_pLinkButton, false);
  SetUsable(_pSelAllButton, false);
  SetUsable(_pDeSelButton, false);
}

void VexGrdAssociateFrm::SelObjects(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelObjects");
  if (!_pSelObjList) return;
  if (HasSelectedRow(_pSelObjList) && IsNodeOrBranchChosen()) {
    SetUsable(_pLinkButton, true);
    SetUsable(_pDeSelButton, true);
    return;
  }
  if (_pPanel) {
    DisplayError(kInvalidInputKind,
                 _pPanel->GetMsgCatalogString("GrdGUI_ProjTab_ErrorDialogTitle"));
  }
  SetUsable(_pLinkButton, false);
  _pSelObjList->ClearSelect();
}

void VexGrdAssociateFrm::SelAllObjects(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelAllObjects");
  if (!_pSelObjList) return;
  _pSelObjList->ClearSelect();
  std::vector<int> rows(static_cast<std::size_t>(_pSelObjList->GetLineCount()));
  std::iota(rows.begin(), rows.end(), 0);
  _pSelObjList->SetSelect(rows.data(), static_cast<int>(rows.size()), 0);
  if (HasSelectedRow(_pSelObjList)) {
    SetUsable(_pLinkButton, true);
    SetUsable(_pDeSelButton, true);
  }
}

void VexGrdAssociateFrm::DeSelectAllObjects(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DeSelectAllObjects");
  if (_pSelObjList) _pSelObjList->ClearSelect();
  SetUsable(_pLinkButton, false);
}

int VexGrdAssociateFrm::DisplayError(const int& code, const VexUnicodeString& message) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisplayError",
                         VexGrdTraceScope::Shape::Entering);
  return VexGrdDisplayReport(_pPanel, code, message, "GrdGUI_AssociateTab_ErrorDialogTitle");
}

// Linking -----------------------------------------------------------------------------------------

void VexGrdAssociateFrm::Associate(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Associate");
  int count = _pSelObjList ? _pSelObjList->GetSelectCount() : 0;
  if (count > 0) {
    gTrace.grdui2.TraPutLN(2, "Associating objects:", count);
    VexUnicodeString nodeId = SelectedCell(_pNodeList, 1);
    VexUnicodeString fromId = SelectedCell(_pBranchList, 1);
    VexUnicodeString toId = SelectedCell(_pBranchList, 2);
    std::vector<int> rows(static_cast<std::size_t>(count));
    _pSelObjList->GetSelect(rows.data(), count);
    for (int row : rows) {
      VexIAECElement_var element = GetElementFromCSO(row);
      if (element) AttachNdBrInfo(element, nodeId, fromId, toId);
    }
    RefreshPanel();
  }
  if (_pNodeList) _pNodeList->ClearSelect();
  if (_pBranchList) _pBranchList->ClearSelect();
  DisableAssociateFrame();
}

int VexGrdAssociateFrm::AttachNdBrInfo(const VexIAECElement_var& element,
                                       const VexUnicodeString& nodeId,
                                       const VexUnicodeString& fromId,
                                       const VexUnicodeString& toId) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "AttachNdBrInfo");
  VexGrdRunGuarded(kAttachTreatment, gTrace.grdui2, kClass, "AttachNdBrInfo", [&] {
    if (!element || !_pProject) return;
    if (!nodeId.IsEmpty()) {
      VexIGrdNode_var node = _pProject->SearchForNodeId(nodeId);
      if (node && !IsLinkedAlready(element, kNodeRecord, nodeId))
        _pProject->LinkNode(element, node);
    }
    if (fromId.IsEmpty() || toId.IsEmpty()) return;
    VexIGrdBranch_var branch = _pProject->SearchForBranchId(fromId, toId);
    if (branch && !IsLinkedAlready(element, kBranchRecord, fromId + "->" + toId)) {
      _pProject->LinkBranch(element, branch);
    }
  });
  return 0;
}

void VexGrdAssociateFrm::RefreshPanel() {
  if (!_pPanel) return;
  _pPanel->UpdateModelNodeBranchData();
  _pPanel->ProcessCSO();
}

// Creating a node or branch -----------------------------------------------------------------------

void VexGrdAssociateFrm::EnableNewNodeButton(const VexUnicodeString& text) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EnableNewNodeButton");
  int length = text.GetLengthInChar();
  if (length == 0 || length > VexGrdCreateNdBrDlg::kMaxNodeIdLength) {
    SetUsable(_pCreateNodeButton, true);
    _candidateNodeId = VexUnicodeString();
  } else if (DoesNewNodeIdExist(text) == 0) {
    SetUsable(_pCreateNodeButton, true);
    _candidateNodeId = text;
  }
}

int VexGrdAssociateFrm::DoesNewNodeIdExist(const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DoesNewNodeIdExist");
  if (id.IsEmpty() || !_pPanel) return 1;
  return _pPanel->DoesNodeExistAlready(id);
}

VexListValVexUnicodeString VexGrdAssociateFrm::BuildNamesOfObjects() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildNamesOfObjects");
  VexListValVexUnicodeString names(static_cast<int>(_listedElements.size()));
  for (const VexIAECElement_var& element : _listedElements) names.Append(element->GetName());
  return names;
}

void VexGrdAssociateFrm::CreateNewNodeAssoc(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CreateNewNodeAssoc");
  if (!_pPanel) return;
  _objectNames = BuildNamesOfObjects();
  if (_objectNames.Size() == 0 || _pCreateDialog) return;
  OpenCreateDialog(VexGrdCreateNdBrDlg::kNodeDialog, _candidateNodeId,
                   "GrdGUI_NewNdBrDlg_NodeDlgTitle");
}

void VexGrdAssociateFrm::CreateNewBranchAssoc(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CreateNewBranchAssoc");
  if (!_pPanel) return;
  _objectNames = BuildNamesOfObjects();
  if (_objectNames.Size() == 0 || _pCreateDialog) return;
  OpenCreateDialog(VexGrdCreateNdBrDlg::kBranchDialog, VexUnicodeString(),
                   "GrdGUI_NewNdBrDlg_BranchDlgTitle");
}

void VexGrdAssociateFrm::OpenCreateDialog(int type, const VexUnicodeString& proposedNodeId,
                                          const char* titleKey) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "OpenCreateDialog");
  VexUnicodeString title = _pPanel->GetMsgCatalogString(titleKey);
  _pCreateDialog = new VexGrdCreateNdBrDlg(this, _pPanel, type, proposedNodeId, _objectNames);
  _pCreateDialog->SetVisibility(kShown);
  _pCreateDialog->SetTitle(title);
  AddCallback(_pCreateDialog, VexGrdNodeBrIdSpecified::ClassName(),
              &VexGrdAssociateFrm::GetAutoNodeBranchId, nullptr);
  _elementsToLink = _listedElements;
}

void VexGrdAssociateFrm::GetAutoNodeBranchId(const char*, void*, VexNotification*, void*, long) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetAutoNodeBranchId");
  VexGrdRunGuarded(kAutoIdTreatment, gTrace.grdui2, kClass, "GetAutoNodeBranchId", [this] {
    if (!_pCreateDialog) return;
    std::vector<VexIAECElement_var> elements = std::move(_elementsToLink);
    _elementsToLink.clear();
    switch (_pCreateDialog->GetDialogType()) {
      case VexGrdCreateNdBrDlg::kNodeDialog:
        CreateNodeAndLink(elements);
        break;
      case VexGrdCreateNdBrDlg::kBranchDialog:
        CreateBranchAndLink(elements);
        break;
      default:
        DeleteNewNdBrDlg();  // never left open: it would block every later create push
    }
  });
  _candidateNodeId = VexUnicodeString();
}

void VexGrdAssociateFrm::CreateNodeAndLink(const std::vector<VexIAECElement_var>& elements) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CreateNodeAndLink");
  VexUnicodeString id;
  _pCreateDialog->GetNewNodeId(id);
  DeleteNewNdBrDlg();  // gone before the model is touched
  if (id.IsEmpty()) return;
  if (_pPanel && _pPanel->DoesNodeExistAlready(id) == 0 && _pProject) _pProject->CreateNode(id);
  for (const VexIAECElement_var& element : elements) {
    if (element) AttachNdBrInfo(element, id, VexUnicodeString(), VexUnicodeString());
  }
  RefreshPanel();
  if (_pProject) _pProject->CreateVexEDSANode(id);
}

void VexGrdAssociateFrm::CreateBranchAndLink(const std::vector<VexIAECElement_var>& elements) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CreateBranchAndLink");
  VexUnicodeString from, to;
  _pCreateDialog->GetNewBranchId(from, to);
  DeleteNewNdBrDlg();
  if (from.IsEmpty() || to.IsEmpty()) return;
  if (_pPanel && _pPanel->DoesBranchExistAlready(from + "->" + to) == 0 && _pProject) {
    _pProject->CreateBranch(from, to);
  }
  for (const VexIAECElement_var& element : elements) {
    if (element) AttachNdBrInfo(element, VexUnicodeString(), from, to);
  }
  RefreshPanel();
  if (_pProject) _pProject->CreateVexEDSABranch(from, to);
}

void VexGrdAssociateFrm::DeleteNewNdBrDlg() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DeleteNewNdBrDlg");
  if (!_pCreateDialog) return;
  RemoveSubscriberCallbacks(_pCreateDialog);
  _pCreateDialog->RequestDelayedDestruction();
  _pCreateDialog = nullptr;
}
