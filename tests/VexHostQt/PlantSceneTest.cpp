#include <algorithm>
#include <gtest/gtest.h>

#include <memory>

#include "TestPlant.h"
#include "VexAECReviewBaseServices.h"
#include "VexCSO.h"
#include "VexDocumentTransaction.h"
#include "VexHSO.h"
#include "VexPlacement.h"
#include "VexQtPlantScene.h"
#include "VexWorkspace.h"

namespace {

// A cabinet 1 m wide on the floor at the origin, a conduit from its side 5 m along x, and a
// motor without placement.
class PlantSceneTest : public ::testing::Test {
 protected:
  PlantSceneTest()
      : workspace(OpenTestPlant(folder, {{"CAB1", VexElementKind::Equipment, VexPlacement{{0, 0, 0}, 1000, 600, 2000}, {}},
                                         {"CD1", VexElementKind::Conduit, {}, {{1000, 300, 100}, {6000, 300, 100}}},
                                         {"M1", VexElementKind::Equipment, {}, {}}})),
        scene(std::make_unique<VexQtPlantScene>(workspace->GetDocument())) {}
  int IndexOf(const char* name) const { return SceneIndexOf(*scene, name); }
  VexBaseUnknown_var Element(const char* name) { return ElementNamed(*workspace, name); }
  TestFolder folder;
  std::unique_ptr<VexWorkspace> workspace;
  std::unique_ptr<VexQtPlantScene> scene;
};

TEST_F(PlantSceneTest, EachKindIsOneMeshOfBoxesAndElementsWithoutGeometryAreListed) {
  const auto& equipment = scene->GetMesh(VexElementKind::Equipment);
  const auto& conduits = scene->GetMesh(VexElementKind::Conduit);
  EXPECT_EQ(equipment.positions.size(), 24u * 3);  // one box: 6 faces of 4 corners
  EXPECT_EQ(equipment.indices.size(), 36u);         // and 12 triangles
  EXPECT_EQ(conduits.positions.size(), 24u * 3);
  EXPECT_EQ(*std::max_element(conduits.indices.begin(), conduits.indices.end()), 23u);
  EXPECT_EQ(equipment.colors.size(), equipment.positions.size());
  EXPECT_EQ(scene->GetUndrawn(), std::vector<std::string>{"M1"});
}

TEST_F(PlantSceneTest, ThePlacementBoxIsWhereTheDocumentPutsIt) {
  auto bounds = scene->Bounds({IndexOf("CAB1")});
  EXPECT_EQ(bounds[0], (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(bounds[1], (std::array<float, 3>{1000, 600, 2000}));
}

struct RayCase {
  const char* name;
  std::array<float, 3> origin;
  std::array<float, 3> direction;
  const char* expected;  // null: nothing hit
  float aperture = 0;
};

class PlantScenePickTest : public PlantSceneTest, public ::testing::WithParamInterface<RayCase> {};

TEST_P(PlantScenePickTest, ARayPicksTheNearestElementItMeets) {
  std::optional<int> hit = scene->Pick(GetParam().origin, GetParam().direction, GetParam().aperture);
  if (!GetParam().expected) {
    EXPECT_FALSE(hit.has_value());
    return;
  }
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(scene->GetElements()[*hit].name, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rays, PlantScenePickTest,
    ::testing::Values(RayCase{"DownOnTheCabinet", {500, 300, 5000}, {0, 0, -1}, "CAB1"},
                      RayCase{"DownOnTheConduit", {3000, 300, 5000}, {0, 0, -1}, "CD1"},
                      RayCase{"AlongXHitsTheCabinetFirst", {-5000, 300, 100}, {1, 0, 0}, "CAB1"},
                      RayCase{"BesideEverything", {3000, 3000, 5000}, {0, 0, -1}, nullptr},
                      RayCase{"AwayFromEverything", {500, 300, 5000}, {0, 0, 1}, nullptr},
                      // 300 mm beside the conduit's side, 4.9 m above it: a tenth of the distance
                      // reaches it, a hundredth does not.
                      RayCase{"BesideTheConduitWithinTheAperture", {3000, 650, 5000}, {0, 0, -1}, "CD1", 0.1f},
                      RayCase{"BesideTheConduitBeyondTheAperture", {3000, 650, 5000}, {0, 0, -1}, nullptr, 0.01f},
                      // Along the conduit, 150 mm above it, to the cabinet: within the aperture
                      // the conduit is nearer.
                      RayCase{"AlongTheConduitTheNearerInTheApertureWins", {8000, 300, 300}, {-1, 0, 0}, "CD1", 0.05f},
                      RayCase{"AlongTheConduitWithoutApertureTheCabinet", {8000, 300, 300}, {-1, 0, 0}, "CAB1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlantSceneTest, GivenColoursAndHighlightsRecolourOnlyTheirElementsVertices) {
  VexNavigation3DViewer& viewer = workspace->GetViewer();
  VexColor own = scene->ColorOf(IndexOf("CD1"));
  viewer.SetColor(Element("CAB1"), {230, 160, 0});
  auto changed = scene->UpdateColors(viewer);
  EXPECT_EQ(changed, std::vector<VexElementKind>{VexElementKind::Equipment});
  EXPECT_EQ(scene->ColorOf(IndexOf("CAB1")), (VexColor{230, 160, 0}));
  const auto& mesh = scene->GetMesh(VexElementKind::Equipment);
  EXPECT_FLOAT_EQ(mesh.colors[0], 230 / 255.0f);
  EXPECT_FLOAT_EQ(mesh.colors.back(), 0.0f);

  workspace->GetEditor().GetHSO()->AddElement(
      VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(Element("CD1"))));
  scene->UpdateColors(viewer);
  EXPECT_EQ(scene->ColorOf(IndexOf("CD1")), VexQtPlantScene::kHighlight);
  EXPECT_EQ(scene->ColorOf(IndexOf("CAB1")), (VexColor{230, 160, 0}));  // the highlight is not everywhere

  workspace->GetEditor().GetHSO()->Empty();
  viewer.ResetAllColors();
  EXPECT_EQ(scene->UpdateColors(viewer).size(), 2u);
  EXPECT_EQ(scene->ColorOf(IndexOf("CD1")), own);
}

TEST_F(PlantSceneTest, AShownObjectFindsItsElementThroughAPath) {
  auto path = VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(Element("CD1")));
  EXPECT_EQ(scene->IndexOf(path), IndexOf("CD1"));
  EXPECT_FALSE(scene->IndexOf(Element("M1")).has_value());  // listed, not drawn
}

}  // namespace
