#pragma once
// The Navigator tab: walks the EDSA network from the 3D model. The upper half lists the nodes and
// branches (by default those linked to plant elements) and the measured length of the chosen
// branch; the lower half is a navigation graph whose roots are the network objects of the
// selection, or the neighbours of a chosen node or branch.

#include <memory>

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
class VexDlgLabel;
class VexDlgMultiList;
class VexFrmEditor;
class VexGrdConduit;
class VexGrdNavigViewer;
class VexGrdPanel;
class VexGrdProject;
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

 protected:
  ~VexGrdNavigatorFrm() override;

 private:
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
  VexUnicodeString CatalogText(const char* key);

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
};
