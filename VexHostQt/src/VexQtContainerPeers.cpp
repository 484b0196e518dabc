#include "VexQtContainerPeers.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include "VexCkeUnitFrame.h"
#include "VexDlgLabel.h"
#include "VexDlgSeparator.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"

VexQtFramePeer::VexQtFramePeer(VexDialog& frame, VexQtDialogMirror& mirror)
    : VexQtPeer(frame, new QGroupBox, mirror), grid_(new QGridLayout(view_)) {}

// A frame without a title is only a grid: no box is drawn around it. A style sheet holds for the
// frames inside too, so it speaks of flat boxes only: a titled frame inside keeps its box and the
// room for its title, and so does a frame titled after its peer was made.
void VexQtFramePeer::RefreshTitle() {
  auto* box = static_cast<QGroupBox*>(view_.data());
  VexUnicodeString title = widget_->GetTitle();
  box->setTitle(VexQtText(title));
  box->setFlat(title.IsEmpty());
  box->setStyleSheet(title.IsEmpty() ? "QGroupBox[flat=\"true\"] { border: 0; margin-top: 0; }" : "");
  // A sheet above it reads the flatness when the box is polished.
  box->style()->unpolish(box);
  box->style()->polish(box);
}

VexQtTabContainerPeer::VexQtTabContainerPeer(VexDlgTabContainer& tabs, VexQtDialogMirror& mirror)
    : VexQtPeer(tabs, new QTabWidget, mirror) {
  QObject::connect(GetTabs(), &QTabWidget::currentChanged, this, [this](int page) {
    auto* target = static_cast<VexDlgTabContainer*>(widget_);
    if (!target || IsRefreshing() || page < 0 || page == target->GetSelectedPage()) return;
    Act([target, page] { target->SelectPageByUser(page); });
  });
}

QTabWidget* VexQtTabContainerPeer::GetTabs() const { return static_cast<QTabWidget*>(view_.data()); }

void VexQtTabContainerPeer::AddChildView(VexQtPeer& child) {
  QSignalBlocker quiet(GetTabs());  // adding the first tab makes it current: not a person's click
  GetTabs()->addTab(child.GetView(), QString::fromUtf8(child.GetWidget()->GetName()));
  child.Refresh();
  Refresh();
}

void VexQtTabContainerPeer::RefreshState() {
  auto* tabs = static_cast<VexDlgTabContainer*>(widget_);
  int page = tabs->GetSelectedPage();
  if (page >= 0 && page < GetTabs()->count()) GetTabs()->setCurrentIndex(page);
}

VexQtTabPagePeer::VexQtTabPagePeer(VexDlgTabPage& page, VexQtDialogMirror& mirror)
    : VexQtPeer(page, new QWidget, mirror), grid_(new QGridLayout(view_)) {}

QTabWidget* VexQtTabPagePeer::Tabs() const {
  // A page's view sits in the tab widget's stack, inside the tab widget.
  for (QWidget* above = view_->parentWidget(); above; above = above->parentWidget()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(above)) return tabs;
  }
  return nullptr;
}

void VexQtTabPagePeer::RefreshVisibility() {
  if (QTabWidget* tabs = Tabs()) {
    int index = tabs->indexOf(view_);
    QSignalBlocker quiet(tabs);  // a tab that disappears may move the current tab: not a click
    if (index >= 0) tabs->setTabVisible(index, widget_->GetVisibility() == VexDialog::kShown);
  }
}

void VexQtTabPagePeer::RefreshTitle() {
  if (QTabWidget* tabs = Tabs()) {
    int index = tabs->indexOf(view_);
    if (index >= 0) tabs->setTabText(index, DisplayTitle());
  }
}

VexQtLabelPeer::VexQtLabelPeer(VexDlgLabel& label, VexQtDialogMirror& mirror)
    : VexQtPeer(label, new QLabel, mirror) {}

void VexQtLabelPeer::RefreshTitle() { static_cast<QLabel*>(view_.data())->setText(VexQtText(widget_->GetTitle())); }

VexQtUnitFramePeer::VexQtUnitFramePeer(VexCkeUnitFrame& frame, VexQtDialogMirror& mirror)
    : VexQtPeer(frame, new QLineEdit, mirror) {
  static_cast<QLineEdit*>(view_.data())->setReadOnly(true);
}

void VexQtUnitFramePeer::RefreshState() {
  static_cast<QLineEdit*>(view_.data())
      ->setText(VexQtText(static_cast<VexCkeUnitFrame*>(widget_)->GetDisplayedText()));
}

VexQtSeparatorPeer::VexQtSeparatorPeer(VexDlgSeparator& separator, VexQtDialogMirror& mirror)
    : VexQtPeer(separator, new QFrame, mirror) {
  auto* line = static_cast<QFrame*>(view_.data());
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
}
