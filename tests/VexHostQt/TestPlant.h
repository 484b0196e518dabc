#pragma once
// A small plant document in a test's folder, built from a list of boxes and routes, and the
// lookups the plant view's tests share: where a person sees an element, and the 3D window that
// takes the mouse.

#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QWindow>
#include <Qt3DExtras/Qt3DWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "VexDocumentTransaction.h"
#include "VexPlacement.h"
#include "VexQtPlantScene.h"
#include "VexQtPlantView.h"
#include "VexWorkspace.h"

struct TestPlantElement {
  const char* name;
  VexElementKind kind;
  std::optional<VexPlacement> placement;
  std::vector<VexRoutePoint> route;
};

/// Opens a new workspace on `folder`/plant.vxd holding `elements`.
inline std::unique_ptr<VexWorkspace> OpenTestPlant(const TestFolder& folder,
                                                   const std::vector<TestPlantElement>& elements) {
  auto workspace = VexWorkspace::Open(VexUnicodeString((folder / "plant.vxd").string()), true);
  VexDocument& document = workspace->GetDocument();
  VexDocumentTransaction transaction(document);
  for (const TestPlantElement& wanted : elements) {
    auto element = document.CreateElement(wanted.name, VexElementKindName(wanted.kind), wanted.kind);
    if (wanted.placement) VexSetPlacement(document, *element, *wanted.placement);
    if (!wanted.route.empty()) document.SetRoutePoints(*element, wanted.route);
  }
  transaction.Commit();
  return workspace;
}

/// The scene's index of the element `name`, -1 when it is not drawn.
inline int SceneIndexOf(const VexQtPlantScene& scene, const std::string& name) {
  for (std::size_t i = 0; i < scene.GetElements().size(); ++i) {
    if (scene.GetElements()[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

inline VexBaseUnknown_var ElementNamed(VexWorkspace& workspace, const char* name) {
  return VexBaseUnknown_var(workspace.GetDocument().FindElementByName(name));
}

/// Where a person sees element `index` in `view`: the first of its boxes whose centre is in the
/// view and not hidden behind another element; nothing when there is none.
inline std::optional<QPoint> VisiblePointOf(const VexQtPlantView& view, int index) {
  if (index < 0) return std::nullopt;
  QRect viewport(QPoint(0, 0), view.GetViewportSize());
  for (const VexQtPlantScene::Box& box : view.GetScene()->GetElements()[index].boxes) {
    QPoint at = view.Projected(box.centre);
    if (viewport.contains(at) && view.ElementAt(at) == index) return at;
  }
  return std::nullopt;
}

/// The plant view's 3D window, which gets the mouse (one plant view at a time).
inline QWindow* PlantWindow() {
  for (QWindow* window : QGuiApplication::allWindows()) {
    if (qobject_cast<Qt3DExtras::Qt3DWindow*>(window)) return window;
  }
  return nullptr;
}
