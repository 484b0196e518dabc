#pragma once
// The peer of a navigation box: its last drawing as a 2D graph, each object a box, an arrow from
// each object to those drawn under it, the editor's highlighted objects marked. A click on a box
// is a pick of its object, as `pick` is in scripts; a right click asks for the object's contextual
// menu, as `menu` is in scripts. The peer redraws when the container draws again, never by polling.

#include <QGraphicsView>
#include <vector>

#include "VexNavigContainer.h"
#include "VexQtPeer.h"

class QGraphicsRectItem;
class QGraphicsScene;
class VexNavigBox;

/// What the graph's items carry, for those who read the graph (tests, tools).
enum class VexQtGraphItemData : int {
  Kind = 0,         ///< "box" or "arrow"
  Label = 1,        ///< a box's object label
  Highlighted = 2,  ///< whether a box's object is highlighted
  Index = 3,        ///< a box's place in the container's drawing
};

class VexQtNavigGraphPeer : public VexQtPeer, private VexNavigObserver {
 public:
  VexQtNavigGraphPeer(VexNavigBox& box, VexQtDialogMirror& mirror);
  ~VexQtNavigGraphPeer() override;

  QGraphicsView* GetGraphView() const { return static_cast<QGraphicsView*>(view_.data()); }
  /// The box of the drawn object at `index`; null when there is none.
  QGraphicsRectItem* BoxAt(int index) const;
  /// A person clicks the box at `index` with `button`: left picks, right asks for the object's
  /// contextual menu at `globalAt`, as `menu` does in scripts.
  void ClickBox(int index, Qt::MouseButton button, QPoint globalAt);

 protected:
  void RefreshState() override;

 private:
  void OnNavigationDrawn(VexNavigContainer& container) override;
  void Redraw();
  bool IsHighlighted(const VexBaseUnknown_var& object) const;

  VexVar<VexNavigContainer> container_;  // kept: the box may go before the view
  std::vector<VexNavigDrawnObject> drawn_;
  std::vector<QGraphicsRectItem*> boxes_;
  QGraphicsScene* scene_;
  bool redrawScheduled_ = false;
};
