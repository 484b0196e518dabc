#pragma once
// A small plant document in a test's folder, built from a list of boxes and routes, and the
// lookups the plant view's tests share.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "VexDocumentTransaction.h"
#include "VexPlacement.h"
#include "VexQtPlantScene.h"
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
