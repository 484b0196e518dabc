#pragma once
// The dialog in which the designer names a new node, or picks the two end nodes of a new branch,
// before the Associate tab creates it and links the selection to it. It lists the elements that
// will be linked, refuses a node identifier the network has already and offers as to-node only
// nodes that would not repeat a branch in that direction. It never changes the model: OK, Cancel
// and the close box hide it and send VexGrdNodeBrIdSpecified; the opener reads the identifiers
// back (all empty after Cancel) and destroys the dialog.

#include "VexFrmDialog.h"
#include "VexMetaObject.h"
#include "VexNotification.h"

class VexDlgCombo;
class VexDlgEditor;
class VexDlgFrame;
class VexDlgLabel;
class VexDlgMultiList;
class VexGrdPanel;

/// Sent by the create dialog when it is confirmed, cancelled or closed.
class VexGrdNodeBrIdSpecified : public VexNotification {
  VEX_DECLARE_CLASS(VexGrdNodeBrIdSpecified);

 public:
  VexGrdNodeBrIdSpecified() : VexNotification(0) {}

 protected:
  ~VexGrdNodeBrIdSpecified() override = default;
};

class VexGrdCreateNdBrDlg : public VexFrmDialog {
 public:
  static constexpr int kNodeDialog = 1;
  static constexpr int kBranchDialog = 2;
  /// Node identifiers have at most this many characters.
  static constexpr int kMaxNodeIdLength = 8;

  /// `opener` is the frame that opens the dialog (the dialog hangs under its father window);
  /// `panel` gives the registry and the catalog texts (may be null); `type` kNodeDialog or
  /// kBranchDialog; `proposedNodeId` is shown when it has 1 to 8 characters; `objectNames` are the
  /// elements that will be linked.
  VexGrdCreateNdBrDlg(VexDialog* opener, VexGrdPanel* panel, const int& type,
                      const VexUnicodeString& proposedNodeId,
                      VexListValVexUnicodeString objectNames);
  const char* GetResourceFileName(int level) const override;

  /// 1 node dialog, 2 branch dialog, -1 for a dialog built with another type.
  int GetDialogType();
  void GetNewNodeId(VexUnicodeString& id);
  void GetNewBranchId(VexUnicodeString& from, VexUnicodeString& to);
  /// Shows `message` under "Create New Node" or "Create New Branch"; a dialog of another type
  /// shows nothing and returns 0.
  int DisplayError(const int& kind, const VexUnicodeString& message);

  void SelOK(VexCommand* sender, VexNotification* notification, void* clientData);
  void SelCancel(VexCommand* sender, VexNotification* notification, void* clientData);
  void EditNodeId(VexCommand* sender, VexNotification* notification, void* clientData);
  void ChooseBrFromId(VexCommand* sender, VexNotification* notification, void* clientData);
  void ChooseBrToId(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdCreateNdBrDlg() override;

 private:
  void InitializePrivateData();
  void BuildInformationFrame();
  void BuildObjectFrame(int row);
  void BuildNodeFrame(const VexUnicodeString& proposedNodeId);
  void BuildBranchFrame();
  void FillObjectList(const VexListValVexUnicodeString& objectNames);
  void FillToCandidates();
  void UpdateBranchOKSensitivity();
  void Announce();
  /// The panel's node identifiers, asked for at each use: the panel replaces its lists wholesale
  /// on every rebuild, so a pointer kept while the dialog is open could dangle.
  const VexListValVexUnicodeString* NodeList() const;

  VexDlgFrame* _pMainFrame;
  VexDlgFrame* _pNodeFrame;
  VexDlgLabel* _pNodeLabel;
  VexDlgEditor* _pNodeEditor;
  VexDlgFrame* _pBranchFrame;
  VexDlgLabel* _pFromLabel;
  VexDlgCombo* _pFromCombo;
  VexDlgLabel* _pToLabel;
  VexDlgCombo* _pToCombo;
  VexDlgFrame* _pObjectFrame;
  VexDlgMultiList* _pObjectList;
  VexDlgFrame* _pInfoFrame;
  VexDlgLabel* _pInfoIconLabel;
  VexDlgLabel* _pInfoLabel;
  VexDlgLabel* _pInfoIdLabel;
  VexUnicodeString _newNodeId;
  VexUnicodeString _newBranchFromId;
  VexUnicodeString _newBranchToId;
  VexGrdPanel* _pPanel;
  int _dialogType;
};
