#pragma once
// Peers of the kinds that arrange or decorate: frames (a group box when the frame has a title),
// tab containers and their pages, labels and separators.

#include "VexQtPeer.h"

class QTabWidget;
class VexCkeUnitFrame;
class VexDlgLabel;
class VexDlgSeparator;
class VexDlgTabContainer;
class VexDlgTabPage;

class VexQtFramePeer : public VexQtPeer {
 public:
  VexQtFramePeer(VexDialog& frame, VexQtDialogMirror& mirror);

 protected:
  void RefreshTitle() override;
  QGridLayout* ChildGrid() override { return grid_; }

 private:
  QGridLayout* grid_;
};

class VexQtTabContainerPeer : public VexQtPeer {
 public:
  VexQtTabContainerPeer(VexDlgTabContainer& tabs, VexQtDialogMirror& mirror);
  /// Pages become tabs, in page order.
  void AddChildView(VexQtPeer& child) override;
  QTabWidget* GetTabs() const;

 protected:
  void RefreshState() override;
};

class VexQtTabPagePeer : public VexQtPeer {
 public:
  VexQtTabPagePeer(VexDlgTabPage& page, VexQtDialogMirror& mirror);

 protected:
  /// A hidden page loses its tab; a shown one is on screen when its tab is current.
  void RefreshVisibility() override;
  void RefreshTitle() override;
  QGridLayout* ChildGrid() override { return grid_; }

 private:
  QTabWidget* Tabs() const;
  QGridLayout* grid_;
};

class VexQtLabelPeer : public VexQtPeer {
 public:
  VexQtLabelPeer(VexDlgLabel& label, VexQtDialogMirror& mirror);

 protected:
  void RefreshTitle() override;
};

/// A value with its unit, shown as a read-only field.
class VexQtUnitFramePeer : public VexQtPeer {
 public:
  VexQtUnitFramePeer(VexCkeUnitFrame& frame, VexQtDialogMirror& mirror);

 protected:
  void RefreshState() override;
};

class VexQtSeparatorPeer : public VexQtPeer {
 public:
  VexQtSeparatorPeer(VexDlgSeparator& separator, VexQtDialogMirror& mirror);
};
