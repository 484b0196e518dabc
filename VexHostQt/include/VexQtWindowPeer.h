#pragma once
// The peer of a window or dialog: a Qt window (or the content of a dock, when the main window
// docks it) with the window's title, its widgets in a grid and, for dialogs, OK and Cancel. Its
// close box asks the tree (CloseWindow): the window closes only when the tree hides or destroys it.

#include "VexQtPeer.h"

class QDialogButtonBox;
class QPushButton;
class VexDlgDialog;
class VexDlgWindow;

class VexQtWindowPeer : public VexQtPeer {
 public:
  VexQtWindowPeer(VexDlgWindow& window, VexQtDialogMirror& mirror);
  VexQtWindowPeer(VexDlgDialog& dialog, VexQtDialogMirror& mirror);

  bool IsTopLevel() const override { return true; }
  QPushButton* GetOKButton() const { return ok_; }
  QPushButton* GetCancelButton() const { return cancel_; }
  /// A person clicks the close box.
  void OnCloseBox();

 protected:
  void RefreshState() override;
  void RefreshTitle() override;
  void RefreshVisibility() override;
  QGridLayout* ChildGrid() override { return grid_; }

 private:
  void AddDialogButtons(VexDlgDialog& dialog);

  QGridLayout* grid_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
