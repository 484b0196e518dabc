#pragma once
// The plant in 3D (Qt 3D): one drawn mesh per element kind with a colour per vertex, so the cost
// does not grow with an entity per element. Orbit, pan and zoom with the mouse, "Fit all". A
// plain click picks the element as the command language's pick does; Ctrl+click adds it to the
// editor's selection (as `elements` does) and sends no pick; a right click asks for the
// element's contextual menu. After every session event the view takes the viewer's colours,
// highlights and reframing.

#include <QImage>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "VexTransactionHandler.h"

class QLabel;
class QPixmap;
class VexFrmEditor;
class VexNavigation3DViewer;
class VexQtPlantScene;
namespace Qt3DCore {
class QEntity;
class QBuffer;
}  // namespace Qt3DCore
namespace Qt3DExtras {
class Qt3DWindow;
}
namespace Qt3DRender {
class QRenderCapture;
}

class VexQtPlantView : public QWidget, private VexTransactionHandler {
 public:
  explicit VexQtPlantView(QWidget* parent = nullptr);
  ~VexQtPlantView() override;

  /// Shows the document of `editor` as `viewer` sees it (observed, not owned).
  void ShowEditor(VexFrmEditor& editor, VexNavigation3DViewer& viewer);
  /// Takes the viewer's colours, highlights and reframing now.
  void FollowViewer();
  /// Frames every drawn element.
  void FitAll();
  /// Turns the camera `degrees` around the vertical through the point it looks at.
  void Orbit(float degrees);
  const VexQtPlantScene* GetScene() const { return scene_.get(); }

  /// The element under the window point `at`, by the camera of the moment.
  std::optional<int> ElementAt(const QPoint& at) const;
  /// Where element `index` shows in the view's window: the centre of its box, or of the middle
  /// segment of its route (it may be hidden behind another element).
  QPoint ProjectedCentre(int index) const;
  /// Where the world point `point` (mm) shows in the view's window.
  QPoint Projected(const std::array<float, 3>& point) const;

  /// The size of the 3D window, in which ProjectedCentre and ElementAt count.
  QSize GetViewportSize() const;
  /// Renders a frame and returns it; a null image when no frame came within `timeoutMs`.
  QImage CaptureFrame(int timeoutMs = 10000);
  /// Paints a captured frame over the place of the 3D window in `picture`, a grab of `top`.
  void PaintFrameInto(QPixmap& picture, QWidget* top);

  /// The person's clicks, as the mouse would give them (tests call them with window points).
  void Click(const QPoint& at, Qt::KeyboardModifiers modifiers);
  void RightClick(const QPoint& at, const QPoint& globalAt);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BeginEvent() override {}
  void CommitEvent() override { ScheduleFollow(); }
  void RollbackEvent() override { ScheduleFollow(); }
  void ScheduleFollow();
  void BuildMeshes();
  void UploadColors(int kind);
  void Frame(const std::array<std::array<float, 3>, 2>& bounds);
  std::array<std::array<float, 3>, 2> Ray(const QPoint& at) const;
  QImage CaptureOneFrame(int timeoutMs);

  Qt3DExtras::Qt3DWindow* window_;
  QWidget* container_;
  QLabel* undrawn_;
  Qt3DCore::QEntity* root_;
  Qt3DCore::QEntity* meshesRoot_ = nullptr;
  Qt3DRender::QRenderCapture* capture_;
  std::array<Qt3DCore::QBuffer*, 6> colorBuffers_{};
  std::unique_ptr<VexQtPlantScene> scene_;
  VexFrmEditor* editor_ = nullptr;
  VexNavigation3DViewer* viewer_ = nullptr;
  int reframesShown_ = 0;
  bool followScheduled_ = false;
  bool buffersChanged_ = false;
  std::optional<QPoint> pressedAt_;  // while a button is down
};
