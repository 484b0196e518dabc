#pragma once
// The EDSA panel: the module's one window, a non-modal dialog with six tab pages (Project,
// Associate, Navigator, Analysis, Results, Cables). It is the hub through which the tab frames
// reach shared things: the project services, the message catalog, the selection of the current
// editor, the persisted panel settings and the registry of the network's nodes and branches.

#include <memory>
#include <optional>
#include <string_view>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "VexFrmDialog.h"
#include "VexGrdNodeBrData.h"
#include "VexIAECElement.h"
#include "VexIGrd3DComponent.h"
#include "VexString.h"

class VexDlgTabContainer;
class VexDlgTabPage;
class VexDocument;
class VexGrdAnalFrm;
class VexGrdAssociateFrm;
class VexGrdCableFrm;
class VexGrdNavigatorFrm;
class VexGrdProject;
class VexGrdProjFrm;
class VexGrdResultsFrm;
class VexPathElementAgent;

class VexGrdPanel : public VexFrmDialog {
 public:
  /// Page numbers of the tab container.
  enum Page { kProjectTab = 0, kAssociateTab, kNavigatorTab, kAnalysisTab, kResultsTab, kCablesTab };

  VexGrdPanel();

  const char* GetResourceFileName(int level) const override;

  // Settings ("EdsaProject") --------------------------------------------------------------------
  void LoadEDSASettings();
  void SaveEDSASettings();

  /// Callback of the tab container's tab-select notification.
  void SelTab(VexCommand* sender, VexNotification* notification, void* clientData);

  // Shared things --------------------------------------------------------------------------------
  /// The project services; null when the panel was built without a document.
  VexGrdProject* GetProject();
  /// Replaces the project pointer when `project` is not null. A project given this way stays its
  /// giver's: the panel deletes only the project it created itself.
  void SetProject(VexGrdProject* project);
  void SetCurrentElem(VexIAECElement_var element);
  VexIAECElement_var GetCurrentElem();
  /// The catalog text of `key` in "VexGrdGUIMsgCatalog"; "" when the catalog builds nothing.
  VexUnicodeString GetMsgCatalogString(const VexString key);

  // Selection ------------------------------------------------------------------------------------
  void ProcessSelect(VexPathElementAgent* agent);
  void ProcessCSO();
  void ReBuildCSO(const VexListValVexBaseUnknown_var* objects);
  void LocateObjects(const VexListValVexIGrd3DComponent_var* components);

  // Pages ----------------------------------------------------------------------------------------
  /// Selects `page` when 1 <= page <= 8; other values are ignored.
  void GoToTabPage(const int& page);
  /// Selects the Project page (no page is made insensitive).
  void DisableOtherTabs();
  /// Has no effect: no page is ever made insensitive.
  void EnableOtherTabs();

  // Contextual menu of the Navigator page ---------------------------------------------------------
  void BldCtxMenu(VexPathElementAgent* agent);
  void DelCtxMenu();

  // Node and branch registry ---------------------------------------------------------------------
  /// Mode 1 creates the three lists, mode 2 deletes them; other modes do nothing.
  void ManageLists(const int& mode);
  int BuildLstOfNodes();
  int BuildLstOfBranches();
  void ManageAssociatedNodeList(const int mode, const VexUnicodeString& id);
  void UpdateNonAssocNodeList(const int& mode, const VexUnicodeString& id);
  void ManageAssociatedBranchList(const int mode, const VexUnicodeString& from,
                                  const VexUnicodeString& to);
  void UpdateNonAssocBranchList(const int& mode, const VexUnicodeString& id);
  /// Rebuilds the registry from the model and hands the records to the Associate and Navigator
  /// frames. Every list and record pointer handed out earlier becomes invalid.
  void UpdateModelNodeBranchData();
  void UpdatePanelsWithNodeBranchInfo();
  void SplitBranchId(const VexUnicodeString& id, VexUnicodeString* from, VexUnicodeString* to);
  /// 1 found, 0 not found, -1 when there is no node list yet. O(1).
  int DoesNodeExistAlready(const VexUnicodeString& id);
  /// 1 found, 0 not found, -1 when there is no branch list yet. O(1).
  int DoesBranchExistAlready(const VexUnicodeString& id);
  /// The panel's own lists (not copies; read only); null before the first rebuild.
  const VexListValVexUnicodeString* GetListOfAllNodes();
  const VexListValVexUnicodeString* GetListOfAllBranches();
  /// The records handed to the frames (read only); null before the first rebuild.
  const VexListPtrVexGrdNodeBrData* GetNodeBranchRecords() const { return _mListOfNodesBranches.get(); }
  /// Association status of the first record with `id`; 0 when none. O(1).
  int IsNdBrAssociated(const VexUnicodeString& id);
  /// Mode 1 unlinks every plant element from the node, mode 2 also deletes it.
  void UnLinkNode(const int& mode, const VexUnicodeString& id);
  void DeleteNode(const VexUnicodeString& id);
  void UnLinkBranch(const int& mode, const VexUnicodeString& id);
  void DeleteBranch(const VexUnicodeString& id);

 protected:
  ~VexGrdPanel() override;

 private:
  void InitializePrivateData();
  void BuildTabs();
  void ShowProjectError();
  void AppendRecord(int idClass, const VexUnicodeString& id, int assocStatus);
  /// Unlinks every plant element of `components` from `item`, a node or a branch.
  template <class Item>
  void UnlinkAll(std::unique_ptr<VexListValVexIGrd3DComponent_var> components, const Item& item);

  VexDlgTabContainer* _pTabContainer;
  VexDlgTabPage* _pProjectPage;
  VexGrdProjFrm* _pProjectFrame;
  VexDlgTabPage* _pAssociatePage;
  VexGrdAssociateFrm* _pAssociateFrame;
  VexDlgTabPage* _pNavigatorPage;
  VexGrdNavigatorFrm* _pNavigatorFrame;
  VexDlgTabPage* _pAnalysisPage;
  VexGrdAnalFrm* _pAnalysisFrame;
  VexDlgTabPage* _pResultsPage;
  VexGrdResultsFrm* _pResultsFrame;
  VexDlgTabPage* _pCablesPage;
  VexGrdCableFrm* _pCablesFrame;
  VexIAECElement_var _currentElement;
  int _rememberedTab;
  VexDocument* _pDocument;
  VexGrdProject* _pProject;
  std::unique_ptr<VexGrdProject> _ownProject;  // the project the panel created, if any

  std::unique_ptr<VexListValVexUnicodeString> _pListOfAllNodes;
  std::unique_ptr<VexListValVexUnicodeString> _pListOfAllBranches;
  std::unique_ptr<VexListPtrVexGrdNodeBrData> _mListOfNodesBranches;

  // An index of the lists above, so that existence and association tests stay O(1). It is built
  // on the first test after a rebuild, not by the rebuild itself: most rebuilds (after each link)
  // are followed by no test at all. Its keys view the lists' own strings, which do not change
  // until the next rebuild drops the index.
  struct RegistryIndex {
    std::unordered_set<std::string_view> nodes;
    std::unordered_set<std::string_view> branches;
    std::unordered_map<std::string_view, int> firstStatus;
  };
  const RegistryIndex& Index();
  std::optional<RegistryIndex> _index;

  // While the network has not changed since the lists were built from it, they hold exactly its
  // nodes and branches, and the model's own indexes answer the tests: a synchronization of a
  // million nodes then builds no index of its own. The index above serves only a test made
  // between a change and the rebuild that follows it.
  bool IsRegistryCurrent();
  /// The association status of the node or branch named `id` in the model, by the registry's
  /// rules; -1 when the id could name several branches, which only the index tells apart.
  int ModelAssocStatus(const VexUnicodeString& id);
  static constexpr std::uint64_t kRegistryNotBuilt = UINT64_MAX;
  std::uint64_t _registryChangeCount = kRegistryNotBuilt;
};
