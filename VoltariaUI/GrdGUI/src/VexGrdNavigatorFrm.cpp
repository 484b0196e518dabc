#include "VexGrdNavigatorFrm.h"

#include <optional>

#include "VexAECReviewBaseServices.h"
#include "VexApplicationFrame.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgCheckButton.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgLabel.h"
#include "VexDlgMultiList.h"
#include "VexDlgPushItem.h"
#include "VexDlgSeparatorItem.h"
#include "VexDocumentTransaction.h"
#include "VexFrmEditor.h"
#include "VexGrdCatalogText.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdNavigViewer.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexGrdResultAnalyzerDlg.h"
#include "VexGrdTrace.h"
#include "VexIGrdNode.h"
#include "VexINavigContainer.h"
#include "VexISearchObject.h"
#include "VexNavigBox.h"
#include "VexParmDictionary.h"
#include "VexPathElementAgent.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdNavigatorFrm";
constexpr const char* kBranchSeparator = "->";
constexpr int kAppendRow = -1;
constexpr int kReplaceItem = 64;
constexpr int kStatusColumn = 0;
constexpr int kIdColumn = 1;
constexpr int kFromColumn = 1;
constexpr int kToColumn = 2;
constexpr int kInvalidInputKind = 3;

/// How the user's length unit is stored as an EDSA branch length: the EDSA unit code and the
/// divisor that turns a value in the user's unit into a value in that code's unit.
struct EdsaLengthUnit {
  const char* symbol;
  const char* code;
  double divisor;
};

// Tested in this order against the symbol of the user's unit.
constexpr EdsaLengthUnit kEdsaLengthUnits[] = {
    {"ft", "FT", 1.0}, {"in", "FT", 12.0}, {"km", "KM", 1.0},
    {"m", "MT", 1.0},  {"mm", "MT", 1000.0}, {"cm", "MT", 100.0},
};

const EdsaLengthUnit* FindEdsaLengthUnit(const VexUnicodeString& symbol) {
  for (const EdsaLengthUnit& unit : kEdsaLengthUnits) {
    if (symbol == unit.symbol) return &unit;
  }
  return nullptr;
}

/// The network object a selection entry stands for, seen through the host's search-object view.
VexIGrdNavigate_var SearchedNavigateObject(const VexBaseUnknown_var& entry) {
  VexVar<VexISearchObject> search(entry);
  if (!search) return nullptr;
  return VexIGrdNavigate_var(search->QueryLeafInterface(IID_VexIGrdNavigate));
}

/// The network object an agent acquired: the object itself, or the leaf of a selection path.
VexIGrdNavigate_var NavigateObjectOf(const VexBaseUnknown_var& value) {
  VexIGrdNavigate_var object(value);
  return object ? object : SearchedNavigateObject(value);
}

/// Puts a dialog's cursor back as it was, on every way out of a method.
class SavedCursor {
 public:
  explicit SavedCursor(VexDialog& dialog) : dialog_(dialog), cursor_(dialog.GetCursor()) {}
  ~SavedCursor() { dialog_.SetCursor(cursor_); }
  SavedCursor(const SavedCursor&) = delete;
  SavedCursor& operator=(const SavedCursor&) = delete;

 private:
  VexDialog& dialog_;
  int cursor_;
};

}  // namespace

// Construction ------------------------------------------------------------------------------------

VexGrdNavigatorFrm::VexGrdNavigatorFrm(VexDialog* father)
    : VexDlgFrame(father, "NavigatorFrame", 0x80001) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  InitializePrivateData();
  _pPanel = dynamic_cast<VexGrdPanel*>(GetFatherWindow());
  _lengthMagnitude = VexParmDictionary::FindMagnitude("LENGTH");
  BuildWidgets();
  _pProject = _pPanel ? _pPanel->GetProject() : nullptr;
  if (_pProject) _pConduit = _pProject->GetGrdConduitObj();
  if (_pConduit) _pConduit->SetJobFilePath(VexUnicodeString());
  ProcessCSO();
  _pEditor = VexFrmEditor::GetCurrentEditor();
  SetGridCells();
  BindCallbacks();
}

void VexGrdNavigatorFrm::BuildWidgets() {
  _pCSOFrame = new VexDlgFrame(this, "CSOFrame", 1);
  _pNavigateFrame = new VexDlgFrame(this, "NavigateFrame", 0x80001);
  _pNodeBranchFrame = new VexDlgFrame(_pCSOFrame, "NodeBranchFrame", 0x80001);
  _pNodeFrame = new VexDlgFrame(_pNodeBranchFrame, "NodeFrame", 0x80001);
  _pBranchFrame = new VexDlgFrame(_pNodeBranchFrame, "BranchFrame", 0x80001);
  BuildLists();
  _pBrLenFrame = new VexDlgFrame(_pBranchFrame, "BrLenFrame", 0x80001);
  _pCalcLengthLbl = new VexDlgLabel(_pBrLenFrame, "CalcLengthLbl");
  _pNavBranchLenEditor = new VexCkeUnitFrame(_pBrLenFrame, "NavBranchLenEditor", 0);
  _pNavBranchLenEditor->Set(_lengthMagnitude, 0.0);
  _pShowAllCheck = new VexDlgCheckButton(_pCSOFrame, "ShowAllCheck");
  _pShowAllCheck->SetState(VexDlgCheckButton::kUnchecked, 0);
  _pNavigViewer = new VexGrdNavigViewer(_pNavigateFrame);
}

void VexGrdNavigatorFrm::BuildLists() {
  _pNodeLstLbl = new VexDlgLabel(_pNodeFrame, "NodeLstLbl");
  _pNodeLstLbl->SetIconName("I_GrdAssociatedNode");
  _pNodeMultiList = new VexDlgMultiList(_pNodeFrame, "NodeMultiList", 0);
  _pBranchLstLbl = new VexDlgLabel(_pBranchFrame, "BranchLstLbl");
  _pBranchLstLbl->SetIconName("I_GrdAssociatedBranch");
  _pBranchMultiList = new VexDlgMultiList(_pBranchFrame, "BranchMultiList", 0);

  _pNodeMultiList->SetVisibleColumnCount(2);
  _pNodeMultiList->SetVisibleLineCount(4);
  _pNodeMultiList->SetColumnTextWidth(1, kStatusColumn);
  _pNodeMultiList->SetColumnTextWidth(9, kIdColumn);
  _pBranchMultiList->SetVisibleColumnCount(3);
  _pBranchMultiList->SetVisibleLineCount(4);
  _pBranchMultiList->SetColumnTextWidth(1, kStatusColumn);
  _pBranchMultiList->SetColumnTextWidth(9, kFromColumn);
  _pBranchMultiList->SetColumnTextWidth(9, kToColumn);
  if (!_pPanel) return;
  const VexUnicodeString nodeTitles[] = {
      _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_NodeStatusColumn"),
      _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_NodeIdColumn")};
  _pNodeMultiList->SetColumnTitles(2, nodeTitles);
  const VexUnicodeString branchTitles[] = {
      _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchStatusColumn"),
      _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchFromIdColumn"),
      _pPanel->GetMsgCatalogString("GrdGUI_AssociateTab_BranchToIdColumn")};
  _pBranchMultiList->SetColumnTitles(3, branchTitles);
}

void VexGrdNavigatorFrm::SetGridCells() {
  struct Cell {
    VexDialog* widget;
    int column;
    int row;
    int justification;
  };
  const Cell cells[] = {
      {_pCSOFrame, 0, 0, 30},          {_pNavigateFrame, 0, 1, 30},
      {_pNodeBranchFrame, 0, 0, 98},   {_pNodeFrame, 0, 0, 98},
      {_pBranchFrame, 1, 0, 98},       {_pNodeLstLbl, 0, 0, 98},
      {_pNodeMultiList, 0, 1, 98},     {_pBranchLstLbl, 0, 0, 98},
      {_pBranchMultiList, 0, 1, 98},   {_pBrLenFrame, 0, 3, 98},
      {_pCalcLengthLbl, 0, 0, 98},     {_pNavBranchLenEditor, 1, 0, 98},
      {_pShowAllCheck, 0, 1, 98},      {_pNavigViewer, 1, 0, 98},
  };
  for (const Cell& cell : cells) {
    if (cell.widget) cell.widget->SetGridConstraints(cell.column, cell.row, 1, 1, cell.justification);
  }
}

void VexGrdNavigatorFrm::BindCallbacks() {
  AddAnalyseNotificationCB(_pNodeMultiList, _pNodeMultiList->GetListSelectNotification(),
                           &VexGrdNavigatorFrm::SelNode, nullptr);
  AddAnalyseNotificationCB(_pBranchMultiList, _pBranchMultiList->GetListSelectNotification(),
                           &VexGrdNavigatorFrm::SelBranch, nullptr);
  AddAnalyseNotificationCB(_pShowAllCheck, _pShowAllCheck->GetChkBModifyNotification(),
                           &VexGrdNavigatorFrm::ChooseShowAllChkBtn, nullptr);
}

VexGrdNavigatorFrm::~VexGrdNavigatorFrm() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  if (_pResultAnalyzer) {
    RemoveSubscriberCallbacks(_pResultAnalyzer);
    VexCommandDeletion(_pResultAnalyzer);
  }
  ForgetNavigationParents();
  InitializePrivateData();
}

void VexGrdNavigatorFrm::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pPanel = nullptr;
  _pProject = nullptr;
  _pConduit = nullptr;
  _pEditor = nullptr;
  _lengthMagnitude = nullptr;
  _graphContainer = nullptr;
  _pCSOFrame = nullptr;
  _pNavigateFrame = nullptr;
  _pNodeBranchFrame = nullptr;
  _pNodeFrame = nullptr;
  _pBranchFrame = nullptr;
  _pNodeLstLbl = nullptr;
  _pNodeMultiList = nullptr;
  _pBranchLstLbl = nullptr;
  _pBranchMultiList = nullptr;
  _pBrLenFrame = nullptr;
  _pCalcLengthLbl = nullptr;
  _pNavBranchLenEditor = nullptr;
  _pShowAllCheck = nullptr;
  _pNavigViewer = nullptr;
  ForgetMenu();
  _pResultAnalyzer = nullptr;
}

const char* VexGrdNavigatorFrm::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexDlgFrame::GetResourceFileName(level - 1);
}

// Graph -------------------------------------------------------------------------------------------

VexINavigContainer_var VexGrdNavigatorFrm::Container() const {
  return VexINavigContainer_var(_graphContainer);
}

void VexGrdNavigatorFrm::TellParent(const VexIGrdNavigate_var& object,
                                    const VexIGrdNavigate_var& parent) {
  object->SetNavigationParent(VexBaseUnknown_var(parent));
  _toldParents.Append(object);
}

void VexGrdNavigatorFrm::ForgetNavigationParents() {
  for (const VexIGrdNavigate_var& object : _toldParents) object->SetNavigationParent(nullptr);
  _toldParents.RemoveAll();
}

void VexGrdNavigatorFrm::RemoveAllRoots(VexINavigContainer& container) {
  container.RemoveAllRoots();
  ForgetNavigationParents();
}

void VexGrdNavigatorFrm::ProcessCSO() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessCSO");
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  if (!editor) return;
  VexCSO* cso = editor->GetCSO();
  if (_pNavigViewer && _pNavigViewer->GetGraphViewer()) {
    _graphContainer = _pNavigViewer->GetGraphViewer()->GetContainer();
  }
  ClearLength();
  if (_pNodeMultiList) _pNodeMultiList->ClearSelect();
  if (_pBranchMultiList) _pBranchMultiList->ClearSelect();
  // A hidden page leaves its graph alone: on leaving the page the panel processes the selection
  // around the return of the roots, and the graph must not take back what it returned. Coming
  // back to the page processes the selection again.
  VexINavigContainer_var container = IsPageShown() ? Container() : nullptr;
  if (!container) return;
  RemoveAllRoots(*container);
  if (!cso) return;
  for (int position = 1; position <= cso->GetSize(); ++position) {
    VexIGrdNavigate_var object = SearchedNavigateObject(cso->GetElement(position));
    if (!object) continue;
    TellParent(object, object);
    container->AddRoot(VexBaseUnknown_var(object));
  }
  container->UpdateDisplay();
}

bool VexGrdNavigatorFrm::IsPageShown() const {
  const VexDialog* page = GetParent();
  return page && page->IsDisplayed();
}

void VexGrdNavigatorFrm::UpdateNavigator(VexPathElementAgent* agent) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateNavigator");
  VexIGrdNavigate_var object = agent ? NavigateObjectOf(agent->GetValue()) : nullptr;
  if (!object) {
    gTrace.grdui2.TraPutLN(3, "::Display - Selected object is NULL");
    return;
  }
  if (_pNavigViewer) ShowNeighbours(object);
}

void VexGrdNavigatorFrm::ShowNeighbours(const VexIGrdNavigate_var& object) {
  Refresh(object);
  if (VexINavigContainer_var container = Container()) container->UpdateDisplay();
}

void VexGrdNavigatorFrm::Refresh(const VexIGrdNavigate_var& object) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Refresh");
  VexFrmEditor* editor = object ? VexFrmEditor::GetCurrentEditor() : nullptr;
  if (!editor) return;
  VexHSO* highlighted = editor->GetHSO();
  if (highlighted) highlighted->Empty();
  VexINavigContainer_var container = Container();
  if (!editor->GetCSO() || !container) return;
  RemoveAllRoots(*container);
  TellParent(object, object);
  if (AddNeighbourRoots(object, *container) > 0) return;
  gTrace.grdui2.TraPutLN(3, "Refresh() AddRoot iObj");
  container->AddRoot(VexBaseUnknown_var(object));
  VexPathElement_var path = VexAECReviewBaseServices::GetPathElement(object->GetImpl(0));
  if (path && highlighted) highlighted->AddElement(VexBaseUnknown_var(path));
}

int VexGrdNavigatorFrm::AddNeighbourRoots(const VexIGrdNavigate_var& object,
                                          VexINavigContainer& container) {
  std::unique_ptr<VexListValVexIGrdNavigate_var> neighbours = object->GetNeighbours();
  if (!neighbours) return 0;
  gTrace.grdui2.TraPutLN(2, "Refresh() Has nb_Roots:", neighbours->Size());
  int added = 0;
  for (const VexIGrdNavigate_var& neighbour : *neighbours) {
    if (!neighbour) continue;
    TellParent(neighbour, object);
    container.AddRoot(VexBaseUnknown_var(neighbour));
    ++added;
  }
  return added;
}

void VexGrdNavigatorFrm::ReturnObjsToCSO() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ReturnObjsToCSO");
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  VexCSO* cso = editor ? editor->GetCSO() : nullptr;
  VexINavigContainer_var container = Container();
  if (!cso || !container) return;
  if (std::unique_ptr<VexListValVexBaseUnknown_var> roots = container->ListRoots()) {
    cso->Empty();
    for (const VexBaseUnknown_var& root : *roots) AddRootToSelection(root, *cso);
    gTrace.grdui2.TraPutLN(2, "Total number of Roots=", roots->Size());
  }
  RemoveAllRoots(*container);
}

void VexGrdNavigatorFrm::AddRootToSelection(const VexBaseUnknown_var& root, VexCSO& cso) {
  VexIGrdNavigate_var object(root);
  if (!object) return;
  VexBaseUnknown_var implementation = object->GetImpl(0);
  VexPathElement_var path = VexAECReviewBaseServices::GetPathElement(implementation);
  if (!path) return;
  cso.AddElement(VexBaseUnknown_var(path));
  if (VexIAECElement_var element(implementation); element) {
    gTrace.grdui2.TraPutLN(3, (VexUnicodeString("  CSO member=") + element->GetName()));
  }
}

// Lists -------------------------------------------------------------------------------------------

void VexGrdNavigatorFrm::UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateNodeBranchLists");
  const bool showAll =
      _pShowAllCheck && _pShowAllCheck->GetState() == VexDlgCheckButton::kChecked;
  if (_pNodeMultiList) _pNodeMultiList->ClearLine();
  if (_pBranchMultiList) _pBranchMultiList->ClearLine();
  if (!records) return;
  for (int position = 1; position <= records->Size(); ++position) {
    const VexGrdNodeBrData* record = (*records)[position];
    if (record && !record->GetId().IsEmpty()) ListRecord(*record, showAll);
  }
}

void VexGrdNavigatorFrm::ListRecord(const VexGrdNodeBrData& record, bool showAll) {
  static const VexUnicodeString kLinked("X");
  static const VexUnicodeString kNotLinked(" ");
  const VexUnicodeString* status = nullptr;
  if (record.GetAssocStatus() == 1) status = &kLinked;
  if (record.GetAssocStatus() == 0 && showAll) status = &kNotLinked;
  if (!status) return;
  if (record.GetIdClass() == 1 && _pNodeMultiList) {
    int row = _pNodeMultiList->GetLineCount();
    _pNodeMultiList->SetColumnItem(kStatusColumn, *status, kAppendRow, kReplaceItem);
    _pNodeMultiList->SetColumnItem(kIdColumn, record.GetId(), row, kReplaceItem);
  } else if (record.GetIdClass() == 2 && _pBranchMultiList && _pPanel) {
    VexUnicodeString from, to;
    _pPanel->SplitBranchId(record.GetId(), &from, &to);
    if (from.IsEmpty() || to.IsEmpty()) return;
    int row = _pBranchMultiList->GetLineCount();
    _pBranchMultiList->SetColumnItem(kStatusColumn, *status, kAppendRow, kReplaceItem);
    _pBranchMultiList->SetColumnItem(kFromColumn, from, row, kReplaceItem);
    _pBranchMultiList->SetColumnItem(kToColumn, to, row, kReplaceItem);
  }
}

void VexGrdNavigatorFrm::ChooseShowAllChkBtn(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ChooseShowAllChkBtn");
  if (_pShowAllCheck && _pPanel) _pPanel->UpdatePanelsWithNodeBranchInfo();
}

void VexGrdNavigatorFrm::SelNode(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelNode");
  int row = -1;
  if (!_pNodeMultiList || _pNodeMultiList->GetLineCount() == 0 ||
      _pNodeMultiList->GetSelect(&row, 1) == 0) {
    return;
  }
  if (_pBranchMultiList) _pBranchMultiList->ClearSelect();
  ClearLength();
  VexUnicodeString id;
  _pNodeMultiList->GetColumnItem(kIdColumn, id, row);
  if (id.IsEmpty() || !_pProject) return;
  VexIGrdNavigate_var node(_pProject->SearchForNodeId(id));
  // The host's box shows what it last drew, so the new roots are drawn at once.
  if (node) ShowNeighbours(node);
}

bool VexGrdNavigatorFrm::SelectedBranchEnds(VexUnicodeString& from, VexUnicodeString& to) const {
  int row = -1;
  if (!_pBranchMultiList || _pBranchMultiList->GetLineCount() == 0 ||
      _pBranchMultiList->GetSelect(&row, 1) == 0) {
    return false;
  }
  _pBranchMultiList->GetColumnItem(kFromColumn, from, row);
  _pBranchMultiList->GetColumnItem(kToColumn, to, row);
  return true;
}

void VexGrdNavigatorFrm::SelBranch(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelBranch");
  SavedCursor cursor(*this);
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "SelBranch", [this] {
    VexUnicodeString from, to;
    if (!SelectedBranchEnds(from, to)) return;
    if (_pNodeMultiList) _pNodeMultiList->ClearSelect();
    if (from.IsEmpty() || to.IsEmpty() || !_pProject) return;
    VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
    VexIGrdNavigate_var object(branch);
    if (!branch || !object) return;
    VexApplicationFrame::GetFrame()->SetBusyCursor();
    ShowNeighbours(object);
    StoreBranchLength(branch, from, to);
  });
}

// Branch length -----------------------------------------------------------------------------------

void VexGrdNavigatorFrm::ClearLength() {
  if (_pNavBranchLenEditor) _pNavBranchLenEditor->Set(_lengthMagnitude, 0.0);
}

double VexGrdNavigatorFrm::CalcBranchLength() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "CalcBranchLength");
  VexUnicodeString from, to;
  if (!SelectedBranchEnds(from, to) || !_pProject) return 0.0;
  VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
  if (!branch) return 0.0;
  std::unique_ptr<VexListValVexIGrd3DComponent_var> components = branch->GetLinkedComponents();
  if (!components) {
    ClearLength();
    return 0.0;
  }
  VexListValVexBaseUnknown_var elements(components->Size());
  for (const VexIGrd3DComponent_var& component : *components) {
    if (VexIAECElement_var element(component); element) elements.Append(VexBaseUnknown_var(element));
  }
  if (!_pConduit) return 0.0;
  double length = _pConduit->GetTotalLength(&elements) / 1000.0;
  if (_pNavBranchLenEditor) _pNavBranchLenEditor->Set(_lengthMagnitude, length);
  return length;
}

void VexGrdNavigatorFrm::StoreBranchLength(const VexIGrdBranch_var& branch,
                                           const VexUnicodeString& from,
                                           const VexUnicodeString& to) {
  double length = CalcBranchLength();
  if (length <= 0.0 || !_lengthMagnitude) return;
  VexICkeUnit_var unit = _lengthMagnitude->GetCurrentUnit();
  if (!unit) return;
  const EdsaLengthUnit* edsaUnit = FindEdsaLengthUnit(unit->GetSymbol());
  if (!edsaUnit) {
    VexGrdDisplayReport(_pPanel, kInvalidInputKind,
                        VexGrdCatalogText(_pPanel, "GrdGUI_Navigate_InvalidUnit"),
                        "GrdGUI_NavigateTab_ErrorDialogTitle");
    return;
  }
  // The length and its unit code go together: when the EDSA project refuses the length, the
  // branch keeps its old length rather than a new one under the old unit.
  VexDocument* document = _pEditor ? _pEditor->GetDocument() : nullptr;
  std::optional<VexDocumentTransaction> step;
  if (document) step.emplace(*document);
  branch->SetLength(unit->ConvertFromBase(length) / edsaUnit->divisor);
  _pProject->UpdateBranchLength(from, to, VexUnicodeString(edsaUnit->code));
  if (step) step->Commit();
}

// Contextual menu ---------------------------------------------------------------------------------

void VexGrdNavigatorFrm::ForgetMenu() {
  _pContextMenu = nullptr;
  _menuEntries.fill(nullptr);
  _firstEntryCallback = VexCallback();
  _currentId = VexUnicodeString();
  _currentElement = nullptr;
  _textResultIds.RemoveAll();
}

void VexGrdNavigatorFrm::BldNavCtxMenu(VexPathElementAgent* agent) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BldNavCtxMenu");
  VexIGrdNavigate_var object = agent ? NavigateObjectOf(agent->GetValue()) : nullptr;
  if (!object || !agent->GetContextualMenu()) return;
  ForgetMenu();
  _pContextMenu = agent->GetContextualMenu();
  BuildMenu(object);
}

void VexGrdNavigatorFrm::BuildMenu(VexIGrdNavigate_var object) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildMenu");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "BuildMenu", [&] {
    _textResultIds.RemoveAll();
    VexUnicodeString masterFile;
    if (_pProject) {
      masterFile = _pProject->GetMasterFilePath();
      _textResultIds = _pProject->GetListOfNodesBranches(1);
    }
    // Without an EDSA project there is nothing to offer.
    if (!object || !_pContextMenu || masterFile.IsEmpty()) return;
    _currentId = VexUnicodeString();
    if (VexIAECElement_var element(object); element) {
      _currentElement = element;
      AddPushEntry(0, "NewCtxMenu", VexGrdCatalogText(_pPanel, "GrdGUI_CtxMenu_ReframeObject"),
                   &VexGrdNavigatorFrm::Reframe);
    } else if (VexIGrdNode_var node(object); node) {
      _currentId = node->GetNodeId();
      AddNetworkEntries(false);
    } else if (VexIGrdBranch_var branch(object); branch) {
      _currentId = branch->GetFromNodeId() + kBranchSeparator + branch->GetToNodeId();
      AddNetworkEntries(true);
    }
  });
}

void VexGrdNavigatorFrm::AddNetworkEntries(bool isBranch) {
  enum class When { Always, ResultsExist, Associated };
  struct Entry {
    const char* identifier;
    When when;
    const char* nodeKey;  // null for a separator
    const char* branchKey;
    EntryAction nodeAction;
    EntryAction branchAction;
  };
  using F = VexGrdNavigatorFrm;
  static constexpr Entry kEntries[kMenuEntryCount] = {
      {"NewCtxMenu", When::Always, "GrdGUI_CtxMenu_EditNode", "GrdGUI_CtxMenu_EditBranch",
       &F::EditNode, &F::EditBranch},
      {"CtxSep1", When::ResultsExist, nullptr, nullptr, nullptr, nullptr},
      {"ViewTxtRslt", When::ResultsExist, "GrdGUI_CtxMenu_ViewTxtResults",
       "GrdGUI_CtxMenu_ViewTxtResults", &F::GetTextResult, &F::GetTextResult},
      {"CtxSep2", When::Always, nullptr, nullptr, nullptr, nullptr},
      {"CtxUnlinkAttrMenu", When::Associated, "GrdGUI_CtxMenu_UnlinkNode",
       "GrdGUI_CtxMenu_UnlinkBranch", &F::UnLinkNode, &F::UnLinkBranch},
      {"CtxSep3", When::Associated, nullptr, nullptr, nullptr, nullptr},
      {"CtxDelAttr", When::Always, "GrdGUI_CtxMenu_DeleteNode", "GrdGUI_CtxMenu_DeleteBranch",
       &F::DelNode, &F::DelBranch},
      {"CtxSep4", When::Associated, nullptr, nullptr, nullptr, nullptr},
      {"CtxNdBrReframeMenu", When::Associated, "GrdGUI_CtxMenu_ReframeRelated",
       "GrdGUI_CtxMenu_ReframeRelated", &F::ReframeAll, &F::ReframeAll},
  };
  const bool resultsExist = _textResultIds.Size() > 0;
  const bool associated = _pPanel && _pPanel->IsNdBrAssociated(_currentId) == 1;
  for (int slot = 0; slot < kMenuEntryCount; ++slot) {
    const Entry& entry = kEntries[slot];
    if ((entry.when == When::ResultsExist && !resultsExist) ||
        (entry.when == When::Associated && !associated)) {
      continue;
    }
    if (!entry.nodeKey) {
      _menuEntries[slot] = new VexDlgSeparatorItem(_pContextMenu, entry.identifier);
      continue;
    }
    VexUnicodeString text = VexGrdCatalogText(_pPanel, isBranch ? entry.branchKey : entry.nodeKey);
    // The edit entry names what it edits.
    if (slot == 0) text += _currentId;
    AddPushEntry(slot, entry.identifier, text, isBranch ? entry.branchAction : entry.nodeAction);
  }
}

void VexGrdNavigatorFrm::AddPushEntry(int slot, const char* identifier,
                                      const VexUnicodeString& text, EntryAction action) {
  auto* item = new VexDlgPushItem(_pContextMenu, identifier);
  item->SetTitle(text);
  VexCallback callback =
      AddAnalyseNotificationCB(item, item->GetMenuIActivateNotification(), action, nullptr);
  _menuEntries[slot] = item;
  if (slot == 0) _firstEntryCallback = callback;
}

void VexGrdNavigatorFrm::DelNavCtxMenu() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DelNavCtxMenu");
  if (_menuEntries[0]) RemoveAnalyseNotificationCB(_firstEntryCallback);
  // The entries and the menu are the host's to destroy.
  ForgetMenu();
}

// Menu entries ------------------------------------------------------------------------------------

void VexGrdNavigatorFrm::EditNode(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EditNode");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "EditNode", [this] {
    if (_pProject) _pProject->EditNode(_currentId);
  });
}

void VexGrdNavigatorFrm::EditBranch(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EditBranch");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "EditBranch", [this] {
    if (!_pProject) return;
    int separator = _currentId.Search(kBranchSeparator, 0);
    if (separator < 0) return;
    VexUnicodeString from = _currentId.SubString(0, separator);
    VexUnicodeString to = _currentId.SubString(separator + 2);
    if (!from.IsEmpty() && !to.IsEmpty()) _pProject->EditBranch(from, to);
  });
}

void VexGrdNavigatorFrm::GetTextResult(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetTextResult");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "GetTextResult", [this] {
    // One analyzer at a time: the entry does nothing while one is open.
    if (_currentId.IsEmpty() || !_pProject || _pResultAnalyzer) return;
    _pResultAnalyzer = new VexGrdResultAnalyzerDlg(this, _pProject, _textResultIds, _currentId, 1);
    AddCallback(_pResultAnalyzer, "VexGrdResultAnalyzerDlgOK", &VexGrdNavigatorFrm::SelOK, nullptr);
  });
}

void VexGrdNavigatorFrm::SelOK(const char*, void*, VexNotification*, void*, long) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SelOK");
  if (!_pResultAnalyzer) return;
  RemoveSubscriberCallbacks(_pResultAnalyzer);
  _pResultAnalyzer->RequestDelayedDestruction();
  _pResultAnalyzer = nullptr;
}

void VexGrdNavigatorFrm::Reframe(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "Reframe");
  if (!_pEditor || !_currentElement) return;
  VexHSO* highlighted = _pEditor->GetHSO();
  if (highlighted) highlighted->Empty();
  _pEditor->ReframeOnObject(VexBaseUnknown_var(_currentElement));
  VexPathElement_var path = VexAECReviewBaseServices::GetPathElement(_currentElement->GetImpl(0));
  if (path && highlighted) highlighted->AddElement(VexBaseUnknown_var(path));
}

void VexGrdNavigatorFrm::ReframeAll(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ReframeAll");
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "ReframeAll", [this] {
    if (!_currentId.IsEmpty()) ReframeRelatedObjects(_currentId);
  });
}

void VexGrdNavigatorFrm::ReframeRelatedObjects(VexUnicodeString id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ReframeRelatedObjects");
  SavedCursor cursor(*this);
  VexGrdRunGuarded(VexGrdTreatments::kWarnInput, gTrace.grdui2, kClass, "ReframeRelatedObjects",
                   [&] {
    VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
    VexHSO* highlighted = editor ? editor->GetHSO() : nullptr;
    if (!highlighted) return;
    highlighted->Empty();
    VexHSO toReframe;
    std::unique_ptr<VexListValVexIGrd3DComponent_var> components = LinkedComponentsOf(id);
    if (components) {
      for (const VexIGrd3DComponent_var& component : *components) {
        VexIAECElement_var element(component);
        VexPathElement_var path =
            element ? VexAECReviewBaseServices::GetPathElement(VexBaseUnknown_var(element)) : nullptr;
        if (!path) continue;
        toReframe.AddElement(VexBaseUnknown_var(path));
        highlighted->AddElement(VexBaseUnknown_var(path));
      }
    }
    ReframeFirstViewer(*editor, toReframe);
  });
}

std::unique_ptr<VexListValVexIGrd3DComponent_var> VexGrdNavigatorFrm::LinkedComponentsOf(
    const VexUnicodeString& id) {
  if (!_pProject) return nullptr;
  if (id.Search(kBranchSeparator, 0) < 0) {
    VexIGrdNode_var node = _pProject->SearchForNodeId(id);
    if (!node) return nullptr;
    VexApplicationFrame::GetFrame()->SetBusyCursor();
    return node->GetLinkedComponents();
  }
  VexUnicodeString from, to;
  if (_pPanel) _pPanel->SplitBranchId(id, &from, &to);
  VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
  if (!branch) return nullptr;
  VexApplicationFrame::GetFrame()->SetBusyCursor();
  return branch->GetLinkedComponents();
}

void VexGrdNavigatorFrm::ReframeFirstViewer(VexFrmEditor& editor, const VexHSO& objects) {
  VexISO* interactive = editor.GetISO();
  if (!interactive || objects.GetSize() == 0) return;
  interactive->Init3DViewerList();
  if (VexNavigation3DViewer* viewer = interactive->GetNext3DViewer()) VexReframeOn(viewer, objects);
}

void VexGrdNavigatorFrm::UnLinkNode(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UnLinkNode");
  UnlinkCurrent(1, false);
}

void VexGrdNavigatorFrm::UnLinkBranch(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UnLinkBranch");
  UnlinkCurrent(1, true);
}

void VexGrdNavigatorFrm::DelNode(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DelNode");
  UnlinkCurrent(2, false);
}

void VexGrdNavigatorFrm::DelBranch(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DelBranch");
  UnlinkCurrent(2, true);
}

void VexGrdNavigatorFrm::UnlinkCurrent(int mode, bool isBranch) {
  if (_currentId.IsEmpty() || !_pPanel) return;
  // The registry is rebuilt below, so the identifier must outlive it.
  const VexUnicodeString id = _currentId;
  if (isBranch) {
    _pPanel->UnLinkBranch(mode, id);
  } else {
    _pPanel->UnLinkNode(mode, id);
  }
  _pPanel->UpdateModelNodeBranchData();
  _pPanel->ProcessCSO();
}
