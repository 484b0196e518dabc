#pragma once
// The Navigator tab: walks the EDSA network from the 3D model. The upper half lists the nodes and
// branches (by default those linked to plant elements) and the measured length of the chosen
// branch; the lower half is a navigation graph whose roots are the network objects of the
// selection, or the neighbours of a chosen node or branch. Its contextual menu edits a node or
// branch in EDSA, shows its text results, unlinks, deletes, and reframes the view on its elements.

#include <array>
#include <memory>

#include "VexCallback.h"
#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"
#include "VexIAECElement.h"
#include "VexICkeMagnitude.h"
#include "VexIGrdBranch.h"
#include "VexIGrdNavigate.h"
#include "VexINavigContainer.h"

class VexCSO;
class VexCkeUnitFrame;
class VexDlgCheckButton;
class VexDlgContextualMenu;
class VexDlgLabel;
class VexDlgMultiList;
class VexFrmEditor;
class VexGrdConduit;
class VexGrdNavigViewer;
class VexGrdPanel;
class VexGrdProject;
class VexGrdResultAnalyzerDlg;
class VexHSO;
class VexPathElementAgent;

class VexGrdNavigatorFrm : public VexDlgFrame {
 public:
  explicit VexGrdNavigatorFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  // Driven by the panel -------------------------------------------------------------------------
  /// Shows the network objects of the current selection as the graph's roots (while the page is
  /// shown; a hidden page keeps its graph).
  void ProcessCSO();
  /// Shows the neighbourhood of the network object the agent picked.
  void UpdateNavigator(VexPathElementAgent* agent);
  /// Makes `object`'s neighbours the graph's roots (an isolated object shows itself, highlighted).
  /// The display is not redrawn here.
  void Refresh(const VexIGrdNavigate_var& object);
  /// Makes the graph's roots the current selection and empties the graph.
  void ReturnObjsToCSO();
  /// Refills the node and branch lists from the registry's records (not kept).
  void UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records);

  // List callbacks ------------------------------------------------------------------------------
  void SelNode(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelBranch(VexCommand* sender, VexNotification* notification, void* clientData);
  void ChooseShowAllChkBtn(VexCommand* sender, VexNotification* notification, void* clientData);

  /// Measures the branch selected in the branch list from its linked plant elements, shows it in
  /// the length field and returns it in metres; 0 when nothing could be measured.
  double CalcBranchLength();

  // Contextual menu -----------------------------------------------------------------------------
  void BldNavCtxMenu(VexPathElementAgent* agent);
  void DelNavCtxMenu();
  /// Fills the contextual menu with the entries for `object`: a plant element, node or branch.
  void BuildMenu(VexIGrdNavigate_var object);

  void Reframe(VexCommand* sender, VexNotification* notification, void* clientData);
  void EditNode(VexCommand* sender, VexNotification* notification, void* clientData);
  void EditBranch(VexCommand* sender, VexNotification* notification, void* clientData);
  void GetTextResult(VexCommand* sender, VexNotification* notification, void* clientData);
  void UnLinkNode(VexCommand* sender, VexNotification* notification, void* clientData);
  void UnLinkBranch(VexCommand* sender, VexNotification* notification, void* clientData);
  void DelNode(VexCommand* sender, VexNotification* notification, void* clientData);
  void DelBranch(VexCommand* sender, VexNotification* notification, void* clientData);
  void ReframeAll(VexCommand* sender, VexNotification* notification, void* clientData);
  /// Highlights the plant elements linked to the node or branch `id` and reframes the first 3D
  /// viewer on them.
  void ReframeRelatedObjects(VexUnicodeString id);

  /// Subscriber callback of the result analyzer's VexGrdResultAnalyzerDlgOK.
  void SelOK(const char* eventName, void* publisherData, VexNotification* notification,
             void* clientData, long callback);

 protected:
  ~VexGrdNavigatorFrm() override;

 private:
  using EntryAction = void (VexGrdNavigatorFrm::*)(VexCommand*, VexNotification*, void*);
  static constexpr int kMenuEntryCount = 9;

  void InitializePrivateData();
  void BuildWidgets();
  void BuildLists();
  void SetGridCells();
  void BindCallbacks();

  // Graph
  VexINavigContainer_var Container() const;
  /// True while this tab's page is the one the panel shows.
  bool IsPageShown() const;
  /// Refresh, then redraw the graph.
  void ShowNeighbours(const VexIGrdNavigate_var& object);
  int AddNeighbourRoots(const VexIGrdNavigate_var& object, VexINavigContainer& container);
  void AddRootToSelection(const VexBaseUnknown_var& root, VexCSO& cso);
  /// Navigation parents are counted references; they are kept only while the object is shown,
  /// so that no object keeps itself (or a neighbour that points back) alive.
  void TellParent(const VexIGrdNavigate_var& object, const VexIGrdNavigate_var& parent);
  void ForgetNavigationParents();
  void RemoveAllRoots(VexINavigContainer& container);

  // Lists and length
  void ListRecord(const VexGrdNodeBrData& record, bool showAll);
  /// The from and to identifiers of the branch list's selected row; false when none is selected.
  bool SelectedBranchEnds(VexUnicodeString& from, VexUnicodeString& to) const;
  void ClearLength();
  /// Stores the measured length of `branch` with the EDSA unit code of the user's length unit.
  void StoreBranchLength(const VexIGrdBranch_var& branch, const VexUnicodeString& from,
                         const VexUnicodeString& to);

  // Menu
  void ForgetMenu();
  void AddNetworkEntries(bool isBranch);
  void AddPushEntry(int slot, const char* identifier, const VexUnicodeString& text,
                    EntryAction action);
  std::unique_ptr<VexListValVexIGrd3DComponent_var> LinkedComponentsOf(const VexUnicodeString& id);
  void ReframeFirstViewer(VexFrmEditor& editor, const VexHSO& objects);
  void UnlinkCurrent(int mode, bool isBranch);

  VexGrdPanel* _pPanel;
  VexGrdProject* _pProject;
  VexGrdConduit* _pConduit;
  VexFrmEditor* _pEditor;
  VexICkeMagnitude_var _lengthMagnitude;
  VexBaseUnknown_var _graphContainer;
  VexListValVexIGrdNavigate_var _toldParents;

  VexDlgFrame* _pCSOFrame;
  VexDlgFrame* _pNavigateFrame;
  VexDlgFrame* _pNodeBranchFrame;
  VexDlgFrame* _pNodeFrame;
  VexDlgFrame* _pBranchFrame;
  VexDlgLabel* _pNodeLstLbl;
  VexDlgMultiList* _pNodeMultiList;
  VexDlgLabel* _pBranchLstLbl;
  VexDlgMultiList* _pBranchMultiList;
  VexDlgFrame* _pBrLenFrame;
  VexDlgLabel* _pCalcLengthLbl;
  VexCkeUnitFrame* _pNavBranchLenEditor;
  VexDlgCheckButton* _pShowAllCheck;
  VexGrdNavigViewer* _pNavigViewer;

  // Menu state: from BldNavCtxMenu to DelNavCtxMenu (the analyzer outlives the menu).
  VexDlgContextualMenu* _pContextMenu;
  std::array<VexDialog*, kMenuEntryCount> _menuEntries;
  VexCallback _firstEntryCallback;
  VexUnicodeString _currentId;
  VexIAECElement_var _currentElement;
  VexListValVexUnicodeString _textResultIds;
  VexGrdResultAnalyzerDlg* _pResultAnalyzer;  // owned; destroyed through deferred deletion
};
