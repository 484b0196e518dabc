#include "VexQtWindowPeer.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "VexDlgDialog.h"

namespace {

// A window's view: its close box is a request to the tree, not a close.
class WindowView : public QWidget {
 public:
  std::function<void()> onCloseBox;

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (onCloseBox) onCloseBox();
  }
};

WindowView* MakeView() {
  auto* view = new WindowView;
  new QVBoxLayout(view);
  return view;
}

}  // namespace

VexQtWindowPeer::VexQtWindowPeer(VexDlgWindow& window, VexQtDialogMirror& mirror)
    : VexQtPeer(window, MakeView(), mirror) {
  auto* body = new QWidget(view_);
  grid_ = new QGridLayout(body);
  view_->layout()->addWidget(body);
  static_cast<QVBoxLayout*>(view_->layout())->addStretch(1);
  static_cast<WindowView*>(view_.data())->onCloseBox = [this] { OnCloseBox(); };
}

VexQtWindowPeer::VexQtWindowPeer(VexDlgDialog& dialog, VexQtDialogMirror& mirror)
    : VexQtWindowPeer(static_cast<VexDlgWindow&>(dialog), mirror) {
  AddDialogButtons(dialog);
}

void VexQtWindowPeer::AddDialogButtons(VexDlgDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, view_);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  cancel_ = buttons->button(QDialogButtonBox::Cancel);
  view_->layout()->addWidget(buttons);
  VexDlgDialog* target = &dialog;
  QObject::connect(ok_, &QPushButton::clicked, this, [this, target] { Act([target] { target->PressOK(); }); });
  QObject::connect(cancel_, &QPushButton::clicked, this,
                   [this, target] { Act([target] { target->PressCancel(); }); });
}

void VexQtWindowPeer::OnCloseBox() {
  auto* window = static_cast<VexDlgWindow*>(widget_);
  Act([window] { window->CloseWindow(); });
}

void VexQtWindowPeer::RefreshState() {
  if (auto* dialog = dynamic_cast<VexDlgDialog*>(widget_); dialog && ok_) {
    ok_->setEnabled(dialog->GetOKSensitivity() == VexDialog::kSensitive);
  }
}

void VexQtWindowPeer::RefreshTitle() { view_->setWindowTitle(DisplayTitle()); }

// A docked window shows and hides with its dock.
void VexQtWindowPeer::RefreshVisibility() {
  bool shown = widget_->GetVisibility() == VexDialog::kShown;
  view_->setVisible(shown);
  if (auto* dock = qobject_cast<QDockWidget*>(view_->parentWidget())) {
    dock->setVisible(shown);
    dock->setWindowTitle(DisplayTitle());
  }
}
