#include "VexQtNavigGraphPeer.h"

#include <QFontMetrics>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "VexFrmEditor.h"
#include "VexHSO.h"
#include "VexNavigBox.h"
#include "VexQtContextMenu.h"
#include "VexQtDialogMirror.h"
#include "VexSession.h"

namespace {

constexpr qreal kRowStep = 70;
constexpr qreal kBoxHeight = 28;
constexpr qreal kGap = 24;
constexpr qreal kArrowHead = 7;

/// A graphics view that hands a person's clicks on a box to its peer.
class GraphView : public QGraphicsView {
 public:
  explicit GraphView(std::function<void(int, Qt::MouseButton, QPoint)> onBox) : onBox_(std::move(onBox)) {
    setRenderHint(QPainter::Antialiasing);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    for (QGraphicsItem* item : items(event->position().toPoint())) {
      QVariant index = item->data(static_cast<int>(VexQtGraphItemData::Index));
      if (!index.isValid()) continue;
      onBox_(index.toInt(), event->button(), event->globalPosition().toPoint());
      event->accept();
      return;
    }
    QGraphicsView::mousePressEvent(event);
  }

 private:
  std::function<void(int, Qt::MouseButton, QPoint)> onBox_;
};

void SetData(QGraphicsItem& item, VexQtGraphItemData key, const QVariant& value) {
  item.setData(static_cast<int>(key), value);
}

/// An arrow from the bottom of one box to the top of another, its head at the second.
QPainterPath ArrowPath(QPointF from, QPointF to) {
  QPainterPath path(from);
  path.lineTo(to);
  QLineF line(to, from);
  line.setLength(kArrowHead);
  QLineF left = line, right = line;
  left.setAngle(line.angle() + 30);
  right.setAngle(line.angle() - 30);
  path.moveTo(left.p2());
  path.lineTo(to);
  path.lineTo(right.p2());
  return path;
}

/// The horizontal slot of each drawn object: leaves side by side in drawing order, a parent
/// centred over its children.
std::vector<qreal> Columns(const std::vector<VexNavigDrawnObject>& drawn) {
  std::vector<std::vector<int>> children(drawn.size());
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i].parent >= 0) children[static_cast<std::size_t>(drawn[i].parent)].push_back(static_cast<int>(i));
  }
  std::vector<qreal> columns(drawn.size(), 0);
  qreal nextLeaf = 0;
  std::function<void(int)> place = [&](int index) {
    const std::vector<int>& under = children[static_cast<std::size_t>(index)];
    if (under.empty()) {
      columns[static_cast<std::size_t>(index)] = nextLeaf++;
      return;
    }
    for (int child : under) place(child);
    columns[static_cast<std::size_t>(index)] =
        (columns[static_cast<std::size_t>(under.front())] + columns[static_cast<std::size_t>(under.back())]) / 2;
  };
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (drawn[i].parent < 0) place(static_cast<int>(i));
  }
  return columns;
}

}  // namespace

VexQtNavigGraphPeer::VexQtNavigGraphPeer(VexNavigBox& box, VexQtDialogMirror& mirror)
    : VexQtPeer(box, new GraphView([this](int index, Qt::MouseButton button, QPoint at) { ClickBox(index, button, at); }),
                mirror),
      container_(dynamic_cast<VexNavigContainer*>(box.GetContainer().get())),
      scene_(new QGraphicsScene(GetGraphView())) {
  GetGraphView()->setScene(scene_);
  GetGraphView()->setMinimumSize(240, 160);
  if (container_) container_->AddDrawObserver(this);
}

VexQtNavigGraphPeer::~VexQtNavigGraphPeer() {
  if (container_) container_->RemoveDrawObserver(this);
}

// The container draws in the middle of the module's work, before it highlights what it shows:
// the graph is drawn again once control comes back to the front end.
void VexQtNavigGraphPeer::OnNavigationDrawn(VexNavigContainer&) {
  if (redrawScheduled_) return;
  redrawScheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { Redraw(); }, Qt::QueuedConnection);
}

void VexQtNavigGraphPeer::RefreshState() { Redraw(); }

bool VexQtNavigGraphPeer::IsHighlighted(const VexBaseUnknown_var& object) const {
  auto* box = static_cast<VexNavigBox*>(widget_);
  VexFrmEditor* editor = box ? box->GetEditor() : nullptr;
  return editor && editor->GetHSO()->Contains(object);
}

void VexQtNavigGraphPeer::Redraw() {
  redrawScheduled_ = false;
  scene_->clear();
  boxes_.clear();
  drawn_ = container_ ? container_->GetDrawnObjects() : std::vector<VexNavigDrawnObject>{};
  QFontMetrics metrics(GetGraphView()->font());
  qreal slotWidth = 60;
  for (const auto& object : drawn_) {
    slotWidth = std::max<qreal>(slotWidth, metrics.horizontalAdvance(QString::fromStdString(object.label)) + 16);
  }
  std::vector<qreal> columns = Columns(drawn_);
  for (std::size_t i = 0; i < drawn_.size(); ++i) {
    const VexNavigDrawnObject& object = drawn_[i];
    bool highlighted = IsHighlighted(object.object);
    QRectF rect(columns[i] * (slotWidth + kGap), (object.level - 1) * kRowStep, slotWidth, kBoxHeight);
    auto* box = scene_->addRect(rect, QPen(highlighted ? QColor(200, 120, 0) : QColor(60, 60, 60), highlighted ? 3 : 1),
                                highlighted ? QColor(255, 220, 120) : QColor(235, 240, 250));
    SetData(*box, VexQtGraphItemData::Kind, "box");
    SetData(*box, VexQtGraphItemData::Label, QString::fromStdString(object.label));
    SetData(*box, VexQtGraphItemData::Highlighted, highlighted);
    SetData(*box, VexQtGraphItemData::Index, static_cast<int>(i));
    box->setToolTip(QString::fromStdString(object.label));
    auto* text = new QGraphicsSimpleTextItem(QString::fromStdString(object.label), box);
    text->setPos(rect.center() - text->boundingRect().center());
    boxes_.push_back(box);
    if (object.parent < 0) continue;
    QRectF above = boxes_[static_cast<std::size_t>(object.parent)]->rect();
    auto* arrow = scene_->addPath(ArrowPath(QPointF(above.center().x(), above.bottom()),
                                            QPointF(rect.center().x(), rect.top())));
    SetData(*arrow, VexQtGraphItemData::Kind, "arrow");
  }
  scene_->setSceneRect(scene_->itemsBoundingRect().adjusted(-kGap, -kGap, kGap, kGap));
}

QGraphicsRectItem* VexQtNavigGraphPeer::BoxAt(int index) const {
  if (index < 0 || index >= static_cast<int>(boxes_.size())) return nullptr;
  return boxes_[static_cast<std::size_t>(index)];
}

void VexQtNavigGraphPeer::ClickBox(int index, Qt::MouseButton button, QPoint globalAt) {
  if (index < 0 || index >= static_cast<int>(drawn_.size())) return;
  VexBaseUnknown_var object = drawn_[static_cast<std::size_t>(index)].object;
  if (button == Qt::RightButton) {
    VexQtOfferContextMenu(object, GetGraphView(), globalAt);
    Mirror().Flush();
  } else if (button == Qt::LeftButton) {
    Act([object] { VexSession::GetSession().Pick(object, object); });
  }
}
