#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

#include "TestPlant.h"
#include "VexAECReviewBaseServices.h"
#include "VexCSO.h"
#include "VexDocumentTransaction.h"
#include "VexHSO.h"
#include "VexPlacement.h"
#include "VexQtPlantScene.h"
#include "VexQtPlantView.h"
#include "VexWorkspace.h"

namespace {

// Three cabinets side by side and a conduit, drawn in a real window under the software renderer.
class PlantViewRenderTest : public ::testing::Test {
 protected:
  PlantViewRenderTest()
      : workspace(OpenTestPlant(folder, {{"CAB1", VexElementKind::Equipment, VexPlacement{{0, 0, 0}, 1500, 1500, 2000}, {}},
                                         {"CAB2", VexElementKind::Equipment, VexPlacement{{2500, 0, 0}, 1500, 1500, 2000}, {}},
                                         {"CAB3", VexElementKind::Equipment, VexPlacement{{5000, 0, 0}, 1500, 1500, 2000}, {}},
                                         {"CD1", VexElementKind::Conduit, {}, {{0, 3000, 100}, {6500, 3000, 100}}}})) {
    view = std::make_unique<VexQtPlantView>();
    view->resize(900, 600);
    view->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->ShowEditor(workspace->GetEditor(), workspace->GetViewer());
  }
  VexBaseUnknown_var Element(const char* name) { return ElementNamed(*workspace, name); }
  int IndexOf(const char* name) const { return SceneIndexOf(*view->GetScene(), name); }
  QColor PixelAtCentreOf(const QImage& frame, const char* name) {
    QPoint at = view->ProjectedCentre(IndexOf(name));
    // The frame may be captured at the device pixel ratio.
    double scale = static_cast<double>(frame.width()) / view->GetViewportSize().width();
    return frame.pixelColor(static_cast<int>(at.x() * scale), static_cast<int>(at.y() * scale));
  }
  TestFolder folder;
  std::unique_ptr<VexWorkspace> workspace;
  std::unique_ptr<VexQtPlantView> view;
};

TEST_F(PlantViewRenderTest, AResultColourAndAHighlightAreDrawnOnTheirElements) {
  workspace->GetViewer().SetColor(Element("CAB1"), {230, 160, 0});
  workspace->GetEditor().GetHSO()->AddElement(
      VexBaseUnknown_var(VexAECReviewBaseServices::GetPathElement(Element("CAB3"))));
  view->FollowViewer();
  QImage frame = view->CaptureFrame();
  ASSERT_FALSE(frame.isNull()) << "no frame was rendered";
  QColor result = PixelAtCentreOf(frame, "CAB1");
  QColor highlight = PixelAtCentreOf(frame, "CAB3");
  QColor own = PixelAtCentreOf(frame, "CAB2");
  // Lighting scales the colours; what they are shows in the order of their channels.
  EXPECT_GT(result.red(), result.green()) << result.name().toStdString();
  EXPECT_GT(result.green(), result.blue() + 40) << result.name().toStdString();
  EXPECT_GT(highlight.green(), highlight.blue() + 80) << highlight.name().toStdString();
  EXPECT_GT(highlight.red(), result.red() - 40) << highlight.name().toStdString();
  EXPECT_GT(own.blue(), own.red()) << own.name().toStdString();  // the cabinet's own steel blue
}

TEST_F(PlantViewRenderTest, CtrlClickAddsTheElementUnderThePointerToTheSelection) {
  view->Click(view->ProjectedCentre(IndexOf("CAB2")), Qt::ControlModifier);
  view->Click(view->ProjectedCentre(IndexOf("CD1")), Qt::ControlModifier);
  std::vector<VexBaseUnknown_var> selected = workspace->GetEditor().GetCSO()->GetLeaves();
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0].get(), Element("CAB2").get());
  EXPECT_EQ(selected[1].get(), Element("CD1").get());
}

TEST_F(PlantViewRenderTest, ReframingOnAnElementBringsItToTheCentre) {
  workspace->GetViewer().ReframeOn(Element("CAB3"));
  view->FollowViewer();
  QPoint centre = view->ProjectedCentre(IndexOf("CAB3"));
  QSize size = view->GetViewportSize();
  EXPECT_NEAR(centre.x(), size.width() / 2, size.width() / 10);
  EXPECT_NEAR(centre.y(), size.height() / 2, size.height() / 10);
  EXPECT_EQ(view->ElementAt(centre), IndexOf("CAB3"));
}

}  // namespace
