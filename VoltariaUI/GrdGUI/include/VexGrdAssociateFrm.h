#pragma once
// The Associate tab: links plant elements of the selection to one node or one branch of the EDSA
// network. It lists the nodes and branches that have no plant element yet (all of them, the linked
// ones marked "X", with show-all), and the named plant elements of the current selection. The
// person picks a node or a branch, picks elements and links them; or creates a node or branch in
// the create dialog, which links every listed element to it. No element is ever linked twice.
//
// A row of the element list stands for the element it shows, recorded when the row was made:
// elements without a name get no row and never shift the rows after them, and the create dialog
// links the elements it listed when it opened.

#include <vector>

#include "VexAECBConverter.h"
#include "VexDlgFrame.h"
#include "VexGrdNodeBrData.h"
#include "VexIAECElement.h"

class VexDlgCheckButton;
class VexDlgLabel;
class VexDlgMultiList;
class VexDlgPushButton;
class VexDlgSeparator;
class VexGrdCreateNdBrDlg;
class VexGrdPanel;
class VexGrdProject;
class VexPathElementAgent;

class VexGrdAssociateFrm : public VexDlgFrame {
 public:
  /// Builds the page inside `father`, a page of the panel, and reads the current selection.
  explicit VexGrdAssociateFrm(VexDialog* father);
  const char* GetResourceFileName(int level) const override;

  // Driven by the panel ---------------------------------------------------------------------------
  /// Rebuilds the element list and the create buttons from the current selection.
  void ProcessCSO();
  /// Makes the picked element the whole selection; 1 when the element list then has a row.
  int UpdateObjectList(VexPathElementAgent* agent);
  /// Refills the node and branch lists from the registry's records (not owned). Linear.
  void UpdateNodeBranchLists(const VexListPtrVexGrdNodeBrData* records);

  // Element list ---------------------------------------------------------------------------------
  /// Appends the row of a named element; an element without a name gets no row.
  void AddElemToLstOfSelObj(const VexIAECElement_var& element);
  /// The element that row `row` shows; null beyond the rows.
  VexIAECElement_var GetElementFromCSO(const int& row);
  /// Shows `message` under the tab's title through the error display; its result.
  int DisplayError(const int& code, const VexUnicodeString& message);

  // Page state ------------------------------------------------------------------------------------
  void EnableAssociateFrame();
  void DisableAssociateFrame();
  void EnableCreateButtons();
  /// Enables "CreateNewNode" and proposes `text` as the new node's identifier when it has 1 to 8
  /// characters and names no node yet; an empty or longer text proposes nothing.
  void EnableNewNodeButton(const VexUnicodeString& text);
  /// 1 when `id` is empty or there is no panel, else the registry's answer (1, 0 or -1).
  int DoesNewNodeIdExist(const VexUnicodeString& id);
  /// The names of the listed elements, in list order.
  VexListValVexUnicodeString BuildNamesOfObjects();

  // Linking --------------------------------------------------------------------------------------
  /// Links `element` to the node `nodeId` and/or the branch `fromId`->`toId` unless it is linked
  /// there already; errors of the services are shown and end only this element's linking.
  /// Always 0.
  int AttachNdBrInfo(const VexIAECElement_var& element, const VexUnicodeString& nodeId,
                     const VexUnicodeString& fromId, const VexUnicodeString& toId);
  /// Closes the create dialog, if one is open.
  void DeleteNewNdBrDlg();

  // Callbacks ------------------------------------------------------------------------------------
  void SelNode(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelBranch(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelObjects(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelAllObjects(VexCommand* sender, VexNotification* notification, void* clientData);
  void DeSelectAllObjects(VexCommand* sender, VexNotification* notification, void* clientData);
  void Associate(VexCommand* sender, VexNotification* notification, void* clientData);
  void ChooseShowAllChkBtn(VexCommand* sender, VexNotification* notification, void* clientData);
  void CreateNewNodeAssoc(VexCommand* sender, VexNotification* notification, void* clientData);
  void CreateNewBranchAssoc(VexCommand* sender, VexNotification* notification, void* clientData);
  /// The create dialog was answered: creates the node or branch and links the listed elements.
  void GetAutoNodeBranchId(const char* eventName, void* publisherData,
                           VexNotification* notification, void* clientData, long callback);

 protected:
  ~VexGrdAssociateFrm() override;

 private:
  void InitializePrivateData();
  void BuildWidgets();
  void BuildNodeFrame();
  void BuildBranchFrame();
  void BuildSelectedObjectsFrame();
  void BindCallbacks();
  /// Appends the row of one registry record when the show-all state lists it.
  void ListRecord(const VexGrdNodeBrData* record, bool showAll);
  /// The list and its buttons as the chosen node or branch row allows.
  void ApplyNodeBranchChoice();
  bool IsNodeOrBranchChosen() const;
  void ClearElementRows();
  void OpenCreateDialog(int type, const VexUnicodeString& proposedNodeId, const char* titleKey);
  void CreateNodeAndLink(const std::vector<VexIAECElement_var>& elements);
  void CreateBranchAndLink(const std::vector<VexIAECElement_var>& elements);
  void RefreshPanel();

  VexDlgFrame* _pAssocFrame;
  VexDlgLabel* _pAssocIconLabel;
  VexDlgFrame* _pNodeBranchFrame;
  VexDlgFrame* _pSelObjFrame;
  VexDlgFrame* _pNodeFrame;
  VexDlgSeparator* _pNodeBranchSeparator;
  VexDlgFrame* _pBranchFrame;
  VexDlgCheckButton* _pShowAllCheck;
  VexDlgLabel* _pNodeIconLabel;
  VexDlgMultiList* _pNodeList;
  VexDlgFrame* _pNodeOperFrame;
  VexDlgLabel* _pCreateNodeLabel;
  VexDlgPushButton* _pCreateNodeButton;
  VexDlgLabel* _pBranchIconLabel;
  VexDlgMultiList* _pBranchList;
  VexDlgFrame* _pBranchOperFrame;
  VexDlgLabel* _pCreateBranchLabel;
  VexDlgPushButton* _pCreateBranchButton;
  VexDlgLabel* _pSelObjsLabel;
  VexDlgMultiList* _pSelObjList;
  VexDlgFrame* _pSelObjCntrlFrame;
  VexDlgPushButton* _pSelAllButton;
  VexDlgPushButton* _pDeSelButton;
  VexDlgLabel* _pAssocLabel;
  VexDlgPushButton* _pLinkButton;

  VexGrdPanel* _pPanel;
  VexGrdProject* _pProject;
  VexAECBConverter _selectionConverter;
  /// The open create dialog, null when none; owned: closed through deferred destruction.
  VexGrdCreateNdBrDlg* _pCreateDialog;
  VexUnicodeString _candidateNodeId;
  VexListValVexUnicodeString _objectNames;
  /// Row r of "LstOfSelObj" shows _listedElements[r].
  std::vector<VexIAECElement_var> _listedElements;
  /// The elements the open create dialog lists, linked when it is confirmed.
  std::vector<VexIAECElement_var> _elementsToLink;
};
