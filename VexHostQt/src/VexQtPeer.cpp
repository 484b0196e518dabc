#include "VexQtPeer.h"

#include <QGridLayout>
#include <QWidget>

#include "VexQtDialogMirror.h"
#include "VexQtUser.h"

namespace {

// The toolkit's justification bits as this front end reads them: 2 attached left, 4 attached
// right, 8 attached top, 16 attached bottom (both sides attached: the widget fills the cell that
// way), 32 the column takes spare width, 64 the row takes spare height.
constexpr int kLeft = 2, kRight = 4, kTop = 8, kBottom = 16, kGrowColumn = 32, kGrowRow = 64;

Qt::Alignment AlignmentOf(int justification) {
  Qt::Alignment alignment;
  bool left = justification & kLeft, right = justification & kRight;
  bool top = justification & kTop, bottom = justification & kBottom;
  if (left && !right) alignment |= Qt::AlignLeft;
  if (right && !left) alignment |= Qt::AlignRight;
  if (top && !bottom) alignment |= Qt::AlignTop;
  if (bottom && !top) alignment |= Qt::AlignBottom;
  return alignment;
}

}  // namespace

QString VexQtText(const VexUnicodeString& text) { return QString::fromStdString(text.str()); }
VexUnicodeString VexQtText(const QString& text) { return VexUnicodeString(text.toStdString()); }

VexQtPeer::VexQtPeer(VexDialog& widget, QWidget* view, VexQtDialogMirror& mirror)
    : QObject(view), widget_(&widget), view_(view), mirror_(mirror) {
  view->setObjectName(QString::fromUtf8(widget.GetName()));
}

void VexQtPeer::Refresh() {
  if (!widget_ || !view_) return;
  refreshing_ = true;
  view_->setEnabled(widget_->GetSensitivity() == VexDialog::kSensitive);
  if (widget_->GetCursor() == VexDialog::kBusyCursor) {
    view_->setCursor(Qt::BusyCursor);
  } else {
    view_->unsetCursor();
  }
  RefreshTitle();
  RefreshState();
  RefreshVisibility();
  refreshing_ = false;
}

void VexQtPeer::RefreshVisibility() {
  view_->setVisible(widget_->GetVisibility() == VexDialog::kShown);
}

void VexQtPeer::AddChildView(VexQtPeer& child) {
  QGridLayout* grid = ChildGrid();
  if (!grid || !child.GetWidget()) return;
  const VexDialog::GridCell& cell = child.GetWidget()->GetGridConstraints();
  grid->addWidget(child.GetView(), cell.row, cell.column, std::max(cell.rowSpan, 1),
                  std::max(cell.columnSpan, 1), AlignmentOf(cell.justification));
  if (cell.justification & kGrowColumn) grid->setColumnStretch(cell.column, 1);
  if (cell.justification & kGrowRow) grid->setRowStretch(cell.row, 1);
}

void VexQtPeer::Act(const std::function<void()>& action) {
  if (!widget_) return;
  VexDialog_var keep(widget_);  // the action may ask for the widget's deletion
  VexQtRunPersonAction(view_ ? view_->window() : nullptr, action);
  mirror_.Flush();
  if (widget_) Refresh();
}

QString VexQtPeer::DisplayTitle() const {
  VexUnicodeString title = widget_->GetTitle();
  return title.IsEmpty() ? QString::fromUtf8(widget_->GetName()) : VexQtText(title);
}
