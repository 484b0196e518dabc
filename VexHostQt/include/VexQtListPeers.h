#pragma once
// Peers of the lists: a selector list (lines for reading) and a multi-column list whose rows a
// person selects. Both are views on a VexQtListModel, never one item per row.

#include "VexQtPeer.h"

class QTreeView;
class VexDlgMultiList;
class VexDlgSelectorList;
class VexQtListModel;

class VexQtSelectorListPeer : public VexQtPeer {
 public:
  VexQtSelectorListPeer(VexDlgSelectorList& list, VexQtDialogMirror& mirror);
  QTreeView* GetTreeView() const;
  void NoteListChange(VexListChange change, int row) override;

 protected:
  void RefreshState() override;

 private:
  VexQtListModel* model_;
};

class VexQtMultiListPeer : public VexQtPeer {
 public:
  VexQtMultiListPeer(VexDlgMultiList& list, VexQtDialogMirror& mirror);
  QTreeView* GetTreeView() const;
  /// Rows and cells are read again only when they changed, not when only the selection did.
  void NoteListChange(VexListChange change, int row) override;

 protected:
  void RefreshState() override;

 private:
  void ShowSelection();
  void OnSelectionChanged();

  VexQtListModel* model_;
  int shownColumns_ = -1;
};
