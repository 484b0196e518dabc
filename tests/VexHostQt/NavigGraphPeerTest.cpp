// The Navigator's graph in the window: what the box draws shows as boxes and arrows, the
// highlighted objects marked, and a click on a box is a pick that the Navigator takes.
#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsRectItem>
#include <QTest>

#include "NavigatorFixture.h"
#include "VexApplicationFrame.h"
#include "VexNavigBox.h"
#include "VexQtDialogMirror.h"
#include "VexQtNavigGraphPeer.h"

namespace {

QString KindOf(const QGraphicsItem& item) {
  return item.data(static_cast<int>(VexQtGraphItemData::Kind)).toString();
}

class NavigGraphPeerTest : public NavigatorTest {
 protected:
  // BUS1 has two branches and a motor; BUS4 stands alone.
  void SetUp() override {
    MakeStarAroundBus1();
    OpenNavigator();
    Ui().Check("NavigatorTab/ShowAllCheck", true);
    mirror = std::make_unique<VexQtDialogMirror>(*VexApplicationFrame::GetFrame()->GetMainWindow(), nullptr);
  }
  void TearDown() override {
    mirror.reset();
    QApplication::processEvents();
  }

  VexQtNavigGraphPeer& Graph() {
    mirror->Flush();
    QApplication::processEvents();  // the graph draws again once control is back
    auto* peer = dynamic_cast<VexQtNavigGraphPeer*>(mirror->PeerOf(&Ui().Get<VexNavigBox>("WindowBox")));
    if (!peer) throw std::runtime_error("the graph box has no graph peer");
    return *peer;
  }
  /// "label" for each box, "label*" when it is highlighted, in drawing order; arrows counted.
  std::vector<std::string> Boxes(int& arrows) {
    std::vector<std::string> boxes;
    arrows = 0;
    VexQtNavigGraphPeer& graph = Graph();
    for (int index = 0; QGraphicsRectItem* box = graph.BoxAt(index); ++index) {
      std::string label = box->data(static_cast<int>(VexQtGraphItemData::Label)).toString().toStdString();
      bool marked = box->data(static_cast<int>(VexQtGraphItemData::Highlighted)).toBool();
      boxes.push_back(label + (marked ? "*" : ""));
    }
    for (QGraphicsItem* item : graph.GetGraphView()->scene()->items()) arrows += KindOf(*item) == "arrow";
    return boxes;
  }

  std::unique_ptr<VexQtDialogMirror> mirror;
};

}  // namespace

TEST_F(NavigGraphPeerTest, TheNeighboursShowAsBoxesWithArrowsToWhatTheyConnect) {
  ChooseRow("NodeMultiList", 1, "BUS1");
  int arrows = 0;
  std::vector<std::string> boxes = Boxes(arrows);
  // Each branch with its nodes under it, an object shown once only.
  EXPECT_EQ(boxes, (std::vector<std::string>{"BUS1->BUS2", "BUS1", "BUS2", "BUS1->BUS3", "BUS3", "M1"}));
  EXPECT_EQ(arrows, 3);
  QGraphicsRectItem* branch = Graph().BoxAt(0);
  QGraphicsRectItem* itsNode = Graph().BoxAt(1);
  EXPECT_LT(branch->rect().bottom(), itsNode->rect().top()) << "a child is drawn under its parent";

  ChooseRow("NodeMultiList", 1, "BUS4");
  EXPECT_EQ(Boxes(arrows), (std::vector<std::string>{"BUS4*"})) << "alone, the node shows highlighted";
  EXPECT_EQ(arrows, 0);
}

TEST_F(NavigGraphPeerTest, AClickOnABoxIsAPickThatTheNavigatorTakes) {
  ChooseRow("NodeMultiList", 1, "BUS1");
  QGraphicsView* view = Graph().GetGraphView();
  view->resize(800, 400);
  view->show();
  QApplication::processEvents();
  QGraphicsRectItem* branch = Graph().BoxAt(0);
  ASSERT_NE(branch, nullptr);
  QPoint where = view->mapFromScene(branch->sceneBoundingRect().center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
  EXPECT_EQ(Roots(), (std::vector<std::string>{"BUS1", "BUS2"})) << "the picked branch's nodes";
  int arrows = 0;
  std::vector<std::string> boxes = Boxes(arrows);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.front(), "BUS1");
}
