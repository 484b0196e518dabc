#include "VexGrdPanel.h"

#include <type_traits>

#include "VexAECReviewBaseServices.h"
#include "VexApplicationFrame.h"
#include "VexCSO.h"
#include "VexDlgNotify.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexFrmEditor.h"
#include "VexGrdAnalFrm.h"
#include "VexGrdAssociateFrm.h"
#include "VexGrdCableFrm.h"
#include "VexGrdErrorTreatment.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNavigatorFrm.h"
#include "VexGrdProjFrm.h"
#include "VexGrdProject.h"
#include "VexGrdResultsFrm.h"
#include "VexGrdTrace.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNode.h"
#include "VexMsgCatalog.h"
#include "VexSettingRepository.h"

namespace {

VexGrdTraceChannels gTrace(0, "STDERR");
constexpr const char* kClass = "VexGrdPanel";
constexpr const char* kRepository = "EdsaProject";
constexpr const char* kBranchSeparator = "->";

// Building and loading show only input errors of severity 0; 1 and 2 are dropped unshown.
const VexGrdErrorTreatment kBuildTreatment{
    {1, VexGrdErrorTreatment::kNotShown, VexGrdErrorTreatment::kNotShown,
     VexGrdErrorTreatment::kNotShown, VexGrdErrorTreatment::kNotShown}};
// Tab switching and catalog lookups show input errors of severity 0 to 2.
const VexGrdErrorTreatment kSelTabTreatment{
    {1, 2, 2, VexGrdErrorTreatment::kNotShown, VexGrdErrorTreatment::kNotShown}};

VexSettingRepository* OpenRepository() {
  return VexSettingRepository::GetRepository(kRepository, 0, 1, nullptr);
}

}  // namespace

// Construction -------------------------------------------------------------------------------------

VexGrdPanel::VexGrdPanel()
    : VexFrmDialog(VexApplicationFrame::GetFrame()->GetMainWindow(), "VexGrdPanel", 0x1041800) {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Constructor");
  auto outcome = VexGrdRunGuarded(kBuildTreatment, gTrace.grdui2, kClass, "Constructor", [this] {
    InitializePrivateData();
    VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
    if (editor && editor->GetDocument()) {
      _pDocument = editor->GetDocument();
      _ownProject = std::make_unique<VexGrdProject>(_pDocument);
      _pProject = _ownProject.get();
    }
    BuildTabs();
  });
  if (outcome == VexGrdOutcome::ErrorHandled && _pTabContainer) {
    _pTabContainer->SetSelectedPage(kProjectTab, 0);
  }
}

void VexGrdPanel::BuildTabs() {
  _pTabContainer = new VexDlgTabContainer(this, "TabContainer", 0);
  _pProjectPage = new VexDlgTabPage(_pTabContainer, "ProjectTab", 0);
  _pAssociatePage = new VexDlgTabPage(_pTabContainer, "AssociateTab", 0);
  _pNavigatorPage = new VexDlgTabPage(_pTabContainer, "NavigatorTab", 0);
  _pAnalysisPage = new VexDlgTabPage(_pTabContainer, "AnalysisTab", 0);
  _pResultsPage = new VexDlgTabPage(_pTabContainer, "ResultsTab", 0);
  _pCablesPage = new VexDlgTabPage(_pTabContainer, "CablesTab", 0);

  _pProjectFrame = new VexGrdProjFrm(_pProjectPage);
  _pAnalysisFrame = new VexGrdAnalFrm(_pAnalysisPage);
  _pAssociateFrame = new VexGrdAssociateFrm(_pAssociatePage);
  _pNavigatorFrame = new VexGrdNavigatorFrm(_pNavigatorPage);
  _pCablesFrame = new VexGrdCableFrm(_pCablesPage);
  _pResultsFrame = new VexGrdResultsFrm(_pResultsPage);

  SetVerticalAttachment(0, 1, _pTabContainer);
  AddAnalyseNotificationCB(_pTabContainer, _pTabContainer->GetTabSelectNotification(),
                           &VexGrdPanel::SelTab, nullptr);
  SetDefaultButton(0);
}

VexGrdPanel::~VexGrdPanel() {
  VexGrdTraceScope scope(gTrace.grdui1, 1, kClass, "Destructor");
  ManageLists(2);
  _ownProject.reset();
  InitializePrivateData();
}

void VexGrdPanel::InitializePrivateData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "InitializePrivateData",
                         VexGrdTraceScope::Shape::Entering);
  _pTabContainer = nullptr;
  _pProjectPage = nullptr;
  _pProjectFrame = nullptr;
  _pAssociatePage = nullptr;
  _pAssociateFrame = nullptr;
  _pNavigatorPage = nullptr;
  _pNavigatorFrame = nullptr;
  _pAnalysisPage = nullptr;
  _pAnalysisFrame = nullptr;
  _pResultsPage = nullptr;
  _pResultsFrame = nullptr;
  _pCablesPage = nullptr;
  _pCablesFrame = nullptr;
  _currentElement = nullptr;
  _rememberedTab = 0;
  _pDocument = nullptr;
  _pProject = nullptr;
}

const char* VexGrdPanel::GetResourceFileName(int level) const {
  return level == 0 ? kClass : VexFrmDialog::GetResourceFileName(level - 1);
}

// Settings -----------------------------------------------------------------------------------------

void VexGrdPanel::LoadEDSASettings() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "LoadEDSASettings");
  VexGrdRunGuarded(kBuildTreatment, gTrace.grdui2, kClass, "LoadEDSASettings", [this] {
    if (VexSettingRepository* repository = OpenRepository()) {
      int previousTab = 0;
      repository->ReadSetting("PrevTab", &previousTab, 1);
      // Selected from code: no tab-select notification, so the Cables frame is told below.
      if (_pTabContainer) _pTabContainer->SetSelectedPage(previousTab, 0);
      if (_pProjectFrame) _pProjectFrame->GetMasterFilePath(repository);
      if (_pCablesFrame) _pCablesFrame->LoadCableSettings(repository);
      if (_pTabContainer && _pTabContainer->GetSelectedPage() == kCablesTab && _pCablesFrame) {
        _pCablesFrame->ProcessCSO();
      }
    } else {
      gTrace.grdui2.TraPutLN(2, "EdsaProject Repository Not Found");
    }
    if (_pProject) {
      UpdateModelNodeBranchData();
      ProcessCSO();
    }
  });
}

void VexGrdPanel::SaveEDSASettings() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SaveEDSASettings");
  VexSettingRepository* repository = OpenRepository();
  if (!repository) {
    gTrace.grdui2.TraPutLN(2, "Unable to save EdsaProject Repository");
    return;
  }
  gTrace.grdui2.TraPutLN(2, "Current Tab:", _rememberedTab);
  repository->WriteSetting("PrevTab", &_rememberedTab, 1, 0);
  if (_pProjectFrame) _pProjectFrame->SaveProjectSettings(repository);
  if (_pCablesFrame) _pCablesFrame->SaveCableSettings(repository);
  repository->SaveRepository(nullptr);
}

// Tab switching ------------------------------------------------------------------------------------

void VexGrdPanel::SelTab(VexCommand*, VexNotification*, void*) {
  VexGrdTraceScope scope(gTrace.grdui1, 2, kClass, "SelTab");
  auto outcome = VexGrdRunGuarded(kSelTabTreatment, gTrace.grdui1, kClass, "SelTab", [this] {
    int page = _pTabContainer ? _pTabContainer->GetSelectedPage() : kProjectTab;
    gTrace.grdui1.TraPutLN(2, "Selected Tab:", page);
    if (_pProject) {
      if (_pProject->GetMasterFilePath().GetLengthInChar() > 0) {
        ProcessCSO();
        if (page == kCablesTab) {
          if (_pCablesFrame) _pCablesFrame->ProcessCSO();
        } else if (_rememberedTab == kNavigatorTab) {
          if (_pNavigatorFrame) _pNavigatorFrame->ReturnObjsToCSO();
          ProcessCSO();
        }
      }
    } else {
      page = kProjectTab;
      if (_pTabContainer) _pTabContainer->SetSelectedPage(kProjectTab, 0);
      ShowProjectError();
    }
    _rememberedTab = page;
  });
  if (outcome == VexGrdOutcome::ErrorHandled) {
    if (_pTabContainer) _pTabContainer->SetSelectedPage(kProjectTab, 0);
    _rememberedTab = kProjectTab;
  }
}

void VexGrdPanel::ShowProjectError() {
  auto* notify = new VexDlgNotify(this, "ProjectError", 0x4000200);
  VexCommandDeletion(notify);  // destroyed once the person has closed it
  notify->DisplayBlocked(GetMsgCatalogString("GrdGUI_ProjTab_ChooseValidMasterFile"),
                         GetMsgCatalogString("GrdGUI_InvalidMasterFile"));
}

void VexGrdPanel::GoToTabPage(const int& page) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GoToTabPage");
  if (page >= 1 && page <= 8 && _pTabContainer) _pTabContainer->SetSelectedPage(page, 0);
}

void VexGrdPanel::DisableOtherTabs() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DisableOtherTabs");
  if (_pTabContainer) _pTabContainer->SetSelectedPage(kProjectTab, 0);
}

void VexGrdPanel::EnableOtherTabs() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "EnableOtherTabs");
}

// Shared things ------------------------------------------------------------------------------------

VexGrdProject* VexGrdPanel::GetProject() {
  if (!_pProject) gTrace.grdui2.TraPutLN(3, "NULL Project");
  return _pProject;
}

void VexGrdPanel::SetProject(VexGrdProject* project) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "SetProject");
  if (!project) {
    gTrace.grdui2.TraPutLN(3, "NULL VexGrdProject");
    return;
  }
  _pProject = project;
}

void VexGrdPanel::SetCurrentElem(VexIAECElement_var element) {
  if (!element) gTrace.grdui2.TraPutLN(3, "Invalid Element");
  _currentElement = std::move(element);
}

VexIAECElement_var VexGrdPanel::GetCurrentElem() { return _currentElement; }

VexUnicodeString VexGrdPanel::GetMsgCatalogString(const VexString key) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "GetMsgCatalogString");
  VexUnicodeString result;
  // The catalog is loaded anew on every call; the host keeps parsed files cached underneath.
  VexGrdRunGuarded(kSelTabTreatment, gTrace.grdui2, kClass, "GetMsgCatalogString", [&] {
    VexMsgCatalog catalog;
    catalog.LoadMsgCatalog("VexGrdGUIMsgCatalog", nullptr);
    VexUnicodeString text = catalog.GetCatalogMsg(key).BuildMessage(nullptr);
    if (text.GetLengthInChar() > 0) result = text;
  });
  return result;
}

// Selection ----------------------------------------------------------------------------------------

void VexGrdPanel::ProcessSelect(VexPathElementAgent* agent) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessSelect");
  if (_pAssociateFrame) _pAssociateFrame->UpdateObjectList(agent);
  if (_pNavigatorFrame) _pNavigatorFrame->UpdateNavigator(agent);
}

void VexGrdPanel::ProcessCSO() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ProcessCSO");
  if (_pAssociateFrame) _pAssociateFrame->ProcessCSO();
  if (_pNavigatorFrame) _pNavigatorFrame->ProcessCSO();
}

void VexGrdPanel::ReBuildCSO(const VexListValVexBaseUnknown_var* objects) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ReBuildCSO");
  VexFrmEditor* editor = VexFrmEditor::GetCurrentEditor();
  if (!editor || !objects) return;
  VexCSO* cso = editor->GetCSO();
  cso->Empty();
  for (const VexBaseUnknown_var& object : *objects) {
    VexIAECElement_var element(object);
    if (!element) continue;
    VexPathElement_var path = VexAECReviewBaseServices::GetPathElement(object);
    if (path) {
      cso->AddElement(VexBaseUnknown_var(path));
    } else {
      cso->AddElement(VexBaseUnknown_var(element));
    }
  }
  ProcessCSO();
}

void VexGrdPanel::LocateObjects(const VexListValVexIGrd3DComponent_var* components) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "LocateObjects");
  if (!components) return;
  VexListValVexBaseUnknown_var elements;
  for (const VexIGrd3DComponent_var& component : *components) {
    VexIAECElement_var element(component);
    if (element) elements.Append(VexBaseUnknown_var(element));
  }
  if (elements.Size() >= 1) ReBuildCSO(&elements);
}

// Contextual menu ----------------------------------------------------------------------------------

void VexGrdPanel::BldCtxMenu(VexPathElementAgent* agent) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BldCtxMenu");
  if (_pTabContainer && _pTabContainer->GetSelectedPage() == kNavigatorTab) {
    gTrace.grdui2.TraPutLN(3, "Navigator Tab Selected");
    if (agent && _pNavigatorFrame) _pNavigatorFrame->BldNavCtxMenu(agent);
  } else {
    gTrace.grdui2.TraPutLN(3, "Other Tab Selected");
  }
}

void VexGrdPanel::DelCtxMenu() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DelCtxMenu");
  if (_pTabContainer && _pTabContainer->GetSelectedPage() == kNavigatorTab && _pNavigatorFrame) {
    _pNavigatorFrame->DelNavCtxMenu();
  }
}

// Node and branch registry -------------------------------------------------------------------------

void VexGrdPanel::ManageLists(const int& mode) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ManageLists");
  if (mode == 1) {
    if (!_pListOfAllNodes) {
      _pListOfAllNodes = std::make_unique<VexListValVexUnicodeString>();
    } else {
      gTrace.grdui2.TraPutLN(2, "_pListOfAllNodes Not NULL");
    }
    if (!_pListOfAllBranches) {
      _pListOfAllBranches = std::make_unique<VexListValVexUnicodeString>();
    } else {
      gTrace.grdui2.TraPutLN(2, "_pListOfAllBranches Not NULL");
    }
    if (!_mListOfNodesBranches) {
      _mListOfNodesBranches = std::make_unique<VexListPtrVexGrdNodeBrData>(0);
    } else {
      gTrace.grdui2.TraPutLN(2, "_mListOfNodesBranches Not NULL");
    }
  } else if (mode == 2) {
    _pListOfAllNodes.reset();
    _pListOfAllBranches.reset();
    if (_mListOfNodesBranches) _mListOfNodesBranches->RemoveAll();  // last record first
    _mListOfNodesBranches.reset();
    _index.reset();
    _registryChangeCount = kRegistryNotBuilt;
  }
}

void VexGrdPanel::UpdateModelNodeBranchData() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateModelNodeBranchData");
  ManageLists(2);
  ManageLists(1);
  BuildLstOfNodes();
  BuildLstOfBranches();
  if (_pProject) _registryChangeCount = _pProject->GetNetworkModel().GetChangeCount();
  UpdatePanelsWithNodeBranchInfo();
}

int VexGrdPanel::BuildLstOfNodes() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildLstOfNodes");
  if (!_pProject) return 0;
  std::unique_ptr<VexListValVexIGrdNode_var> nodes = _pProject->GetLstOfNodes();
  if (!nodes) return 0;
  for (const VexIGrdNode_var& node : *nodes) {
    if (!node) continue;
    VexUnicodeString id = node->GetNodeId();
    if (id.GetLengthInChar() == 0) continue;
    if (_pListOfAllNodes) _pListOfAllNodes->Append(id);
    std::unique_ptr<VexListValVexIGrd3DComponent_var> components = node->GetLinkedComponents();
    if (components && components->Size() >= 1) {
      ManageAssociatedNodeList(1, id);
    } else {
      UpdateNonAssocNodeList(1, id);
    }
  }
  return 0;
}

int VexGrdPanel::BuildLstOfBranches() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "BuildLstOfBranches");
  if (!_pProject) return 0;
  std::unique_ptr<VexListValVexIGrdBranch_var> branches = _pProject->GetLstOfBranches();
  if (!branches) return 0;
  for (const VexIGrdBranch_var& branch : *branches) {
    if (!branch) continue;
    VexUnicodeString from = branch->GetFromNodeId();
    VexUnicodeString to = branch->GetToNodeId();
    if (from.GetLengthInChar() == 0 || to.GetLengthInChar() == 0) continue;
    VexUnicodeString id = from + kBranchSeparator + to;
    if (_pListOfAllBranches) _pListOfAllBranches->Append(id);
    std::unique_ptr<VexListValVexIGrd3DComponent_var> components = branch->GetLinkedComponents();
    if (components && components->Size() >= 1) {
      ManageAssociatedBranchList(1, from, to);
    } else {
      UpdateNonAssocBranchList(1, id);
    }
  }
  return 0;
}

void VexGrdPanel::AppendRecord(int idClass, const VexUnicodeString& id, int assocStatus) {
  if (!_mListOfNodesBranches || id.GetLengthInChar() == 0) return;
  _mListOfNodesBranches->Append(std::make_unique<VexGrdNodeBrData>(idClass, id, assocStatus));
  _index.reset();
  _registryChangeCount = kRegistryNotBuilt;  // a record appended by hand: only the index knows it
}

void VexGrdPanel::ManageAssociatedNodeList(const int mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ManageAssociatedNodeList");
  if (mode == 1) AppendRecord(1, id, 1);
}

void VexGrdPanel::UpdateNonAssocNodeList(const int& mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateNonAssocNodeList");
  if (mode == 1) AppendRecord(1, id, 0);
}

void VexGrdPanel::ManageAssociatedBranchList(const int mode, const VexUnicodeString& from,
                                             const VexUnicodeString& to) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "ManageAssociatedBranchList");
  if (mode != 1 || from.GetLengthInChar() == 0 || to.GetLengthInChar() == 0) return;
  AppendRecord(2, from + kBranchSeparator + to, 1);
}

void VexGrdPanel::UpdateNonAssocBranchList(const int& mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdateNonAssocBranchList");
  if (mode == 1) AppendRecord(2, id, 0);
}

void VexGrdPanel::UpdatePanelsWithNodeBranchInfo() {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UpdatePanelsWithNodeBranchInfo");
  if (_pAssociateFrame) _pAssociateFrame->UpdateNodeBranchLists(_mListOfNodesBranches.get());
  if (_pNavigatorFrame) _pNavigatorFrame->UpdateNodeBranchLists(_mListOfNodesBranches.get());
}

void VexGrdPanel::SplitBranchId(const VexUnicodeString& id, VexUnicodeString* from,
                                VexUnicodeString* to) {
  if (from) *from = VexUnicodeString();
  if (to) *to = VexUnicodeString();
  // The separator is ASCII, which never occurs inside a UTF-8 sequence: searching the bytes finds
  // the same place as searching the characters, without counting them (the lists of a million
  // branches split every identifier at each refill).
  const std::string& text = id.str();
  std::size_t separator = text.find(kBranchSeparator);
  if (separator == std::string::npos) return;
  std::string_view before = std::string_view(text).substr(0, separator);
  std::string_view after = std::string_view(text).substr(separator + 2);
  if (from && !before.empty()) from->Append(VexUnicodeString(before));
  if (to && !after.empty()) to->Append(VexUnicodeString(after));
}

const VexGrdPanel::RegistryIndex& VexGrdPanel::Index() {
  if (_index) return *_index;
  RegistryIndex& index = _index.emplace();
  if (_pListOfAllNodes) {
    index.nodes.reserve(static_cast<std::size_t>(_pListOfAllNodes->Size()));
    for (const VexUnicodeString& id : *_pListOfAllNodes) index.nodes.insert(id.str());
  }
  if (_pListOfAllBranches) {
    index.branches.reserve(static_cast<std::size_t>(_pListOfAllBranches->Size()));
    for (const VexUnicodeString& id : *_pListOfAllBranches) index.branches.insert(id.str());
  }
  if (_mListOfNodesBranches) {
    index.firstStatus.reserve(static_cast<std::size_t>(_mListOfNodesBranches->Size()));
    for (int i = 1; i <= _mListOfNodesBranches->Size(); ++i) {
      const VexGrdNodeBrData* record = (*_mListOfNodesBranches)[i];
      // emplace keeps the first record's status, as a scan from the first record would find.
      if (record && !record->GetId().IsEmpty()) index.firstStatus.emplace(record->GetId().str(), record->GetAssocStatus());
    }
  }
  return index;
}

bool VexGrdPanel::IsRegistryCurrent() {
  return _pProject && _registryChangeCount != kRegistryNotBuilt &&
         _registryChangeCount == _pProject->GetNetworkModel().GetChangeCount();
}

namespace {

// The ends of the branch a registry identifier names, when only one pair of ends gives it: the
// identifier holds the separator once. False otherwise.
bool SplitUniquely(const std::string& id, VexUnicodeString& from, VexUnicodeString& to) {
  std::size_t separator = id.find(kBranchSeparator);
  if (separator == std::string::npos || id.find(kBranchSeparator, separator + 1) != std::string::npos) {
    return false;
  }
  from = VexUnicodeString(std::string_view(id).substr(0, separator));
  to = VexUnicodeString(std::string_view(id).substr(separator + 2));
  return true;
}

template <class Item>
int AssocStatusOf(const Item& item) {
  auto components = item->GetLinkedComponents();
  return components && components->Size() >= 1 ? 1 : 0;
}

}  // namespace

int VexGrdPanel::ModelAssocStatus(const VexUnicodeString& id) {
  if (VexIGrdNode_var node = _pProject->SearchForNodeId(id)) return AssocStatusOf(node);
  VexUnicodeString from, to;
  if (!SplitUniquely(id.str(), from, to)) return id.str().find(kBranchSeparator) == std::string::npos ? 0 : -1;
  if (from.IsEmpty() || to.IsEmpty()) return 0;
  VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
  return branch ? AssocStatusOf(branch) : 0;
}

int VexGrdPanel::DoesNodeExistAlready(const VexUnicodeString& id) {
  if (!_pListOfAllNodes) return -1;
  if (IsRegistryCurrent()) return !id.IsEmpty() && _pProject->SearchForNodeId(id) ? 1 : 0;
  return Index().nodes.count(id.str()) ? 1 : 0;
}

int VexGrdPanel::DoesBranchExistAlready(const VexUnicodeString& id) {
  if (!_pListOfAllBranches) return -1;
  if (IsRegistryCurrent()) {
    if (id.str().find(kBranchSeparator) == std::string::npos) return 0;
    VexUnicodeString from, to;
    if (SplitUniquely(id.str(), from, to)) {
      return !from.IsEmpty() && !to.IsEmpty() && _pProject->SearchForBranchId(from, to) ? 1 : 0;
    }
  }
  return Index().branches.count(id.str()) ? 1 : 0;
}

const VexListValVexUnicodeString* VexGrdPanel::GetListOfAllNodes() { return _pListOfAllNodes.get(); }

const VexListValVexUnicodeString* VexGrdPanel::GetListOfAllBranches() {
  return _pListOfAllBranches.get();
}

int VexGrdPanel::IsNdBrAssociated(const VexUnicodeString& id) {
  if (id.GetLengthInChar() == 0 || !_mListOfNodesBranches) return 0;
  if (IsRegistryCurrent()) {
    if (int status = ModelAssocStatus(id); status >= 0) return status;
  }
  const auto& firstStatus = Index().firstStatus;
  auto found = firstStatus.find(id.str());
  return found == firstStatus.end() ? 0 : found->second;
}

template <class Item>
void VexGrdPanel::UnlinkAll(std::unique_ptr<VexListValVexIGrd3DComponent_var> components,
                           const Item& item) {
  if (!components) return;
  for (const VexIGrd3DComponent_var& component : *components) {
    if (!component || !VexIAECElement_var(component)) continue;
    if constexpr (std::is_same_v<Item, VexIGrdNode_var>) {
      _pProject->UnLinkNode(component, item);
    } else {
      _pProject->UnLinkBranch(component, item);
    }
  }
}

void VexGrdPanel::UnLinkNode(const int& mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UnLinkNode");
  if (id.GetLengthInChar() == 0 || (mode != 1 && mode != 2) || !_pProject) return;
  VexIGrdNode_var node = _pProject->SearchForNodeId(id);
  if (!node) return;
  UnlinkAll(node->GetLinkedComponents(), node);
  if (mode == 2) DeleteNode(id);
}

void VexGrdPanel::DeleteNode(const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DeleteNode");
  if (id.GetLengthInChar() == 0 || !_pProject) return;
  VexIGrdNode_var node = _pProject->SearchForNodeId(id);
  if (node) _pProject->DeleteNode(node);
}

void VexGrdPanel::UnLinkBranch(const int& mode, const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "UnLinkBranch");
  if (id.GetLengthInChar() == 0 || (mode != 1 && mode != 2)) return;
  VexUnicodeString from, to;
  SplitBranchId(id, &from, &to);
  if (!_pProject || to.GetLengthInChar() == 0) return;
  VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
  if (!branch) return;
  UnlinkAll(branch->GetLinkedComponents(), branch);
  if (mode == 2) DeleteBranch(id);
}

void VexGrdPanel::DeleteBranch(const VexUnicodeString& id) {
  VexGrdTraceScope scope(gTrace.grdui2, 2, kClass, "DeleteBranch");
  if (id.GetLengthInChar() == 0) return;
  VexUnicodeString from, to;
  SplitBranchId(id, &from, &to);
  if (!_pProject || to.GetLengthInChar() == 0) return;
  VexIGrdBranch_var branch = _pProject->SearchForBranchId(from, to);
  if (branch) _pProject->DeleteBranch(branch);
}
