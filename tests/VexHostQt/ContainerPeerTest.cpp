#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "PeerFixture.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgFrame.h"
#include "VexDlgLabel.h"
#include "VexDlgTabContainer.h"
#include "VexDlgTabPage.h"
#include "VexQtContainerPeers.h"
#include "VexQtWindowPeer.h"

namespace {

class ContainerPeerTest : public PeerFixture {
 protected:
  ContainerPeerTest() {
    dialog->SetTitle("EDSA");
    tabs = new VexDlgTabContainer(dialog, "Tabs");
    pageA = new VexDlgTabPage(tabs, "PageA");
    pageA->SetTitle("Project");
    pageB = new VexDlgTabPage(tabs, "PageB");
    pageB->SetTitle("Cables");
    frame = new VexDlgFrame(pageA, "Frm");
    left = new VexDlgLabel(frame, "LeftLbl");
    left->SetTitle("left");
    right = new VexDlgLabel(frame, "RightLbl");
    right->SetTitle("right");
    right->SetGridConstraints(1, 2, 2, 1, 0);
    Listen(tabs, tabs->GetTabSelectNotification());
    Listen(dialog, dialog->GetDiaOKNotification());
    Listen(dialog, dialog->GetDiaCANCELNotification());
    Listen(dialog, dialog->GetWindCloseNotification());
    ShowDialog();
  }
  QTabWidget& Tabs() { return ViewOf<QTabWidget>(tabs); }
  VexQtWindowPeer& Window() { return PeerOf<VexQtWindowPeer>(dialog); }
  VexDlgTabContainer* tabs;
  VexDlgTabPage* pageA;
  VexDlgTabPage* pageB;
  VexDlgFrame* frame;
  VexDlgLabel* left;
  VexDlgLabel* right;
};

TEST_F(ContainerPeerTest, TheDialogIsAWindowWithItsTitle) {
  QWidget* view = Window().GetView();
  EXPECT_TRUE(view->isWindow());
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), "EDSA");
}

TEST_F(ContainerPeerTest, PagesAreTabsAndClickingATabIsOnePageSelection) {
  ASSERT_EQ(Tabs().count(), 2);
  EXPECT_EQ(Tabs().tabText(1), "Cables");
  QTabBar* bar = Tabs().tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(tabs->GetSelectedPage(), 1);
  EXPECT_EQ(Heard(), std::vector<std::string>{"Tabs:TabSelect"});
  EXPECT_EQ(counter.events, 1);
}

TEST_F(ContainerPeerTest, APageTheModuleSelectsOrHidesShows) {
  tabs->SetSelectedPage(1);
  Sync();
  EXPECT_EQ(Tabs().currentIndex(), 1);
  pageA->SetVisibility(VexDialog::kHidden);
  Sync();
  EXPECT_FALSE(Tabs().isTabVisible(0));
  EXPECT_TRUE(Heard().empty());
}

TEST_F(ContainerPeerTest, GridCellsAndSpansBecomeTheLayout) {
  auto* grid = qobject_cast<QGridLayout*>(ViewOf<QGroupBox>(frame).layout());
  ASSERT_NE(grid, nullptr);
  int index = grid->indexOf(&ViewOf<QLabel>(right));
  int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
  EXPECT_EQ((std::vector<int>{row, column, rowSpan, columnSpan}), (std::vector<int>{2, 1, 1, 2}));
  EXPECT_EQ(ViewOf<QLabel>(left).text(), "left");
}

// A titled frame shows its title above its content: inside an untitled frame, and when the
// module titles it after it was built. Built after the window was shown, the inner frame and its
// label must have appeared too.
TEST_F(ContainerPeerTest, ATitledFrameShowsItsTitleAboveItsContent) {
  auto expectTitleAbove = [](QGroupBox& box, QWidget& first) {
    EXPECT_FALSE(box.isFlat()) << box.title().toStdString();
    EXPECT_GE(first.geometry().top(), box.fontMetrics().height())
        << "the content covers the title " << box.title().toStdString();
  };
  auto* inner = new VexDlgFrame(frame, "InnerFrm");
  inner->SetGridConstraints(3, 0, 1, 1, 0);
  inner->SetTitle("Cable Pull");
  auto* innerLabel = new VexDlgLabel(inner, "InnerLbl");
  innerLabel->SetTitle("inside");
  QApplication::processEvents();
  auto& outer = ViewOf<QGroupBox>(frame);
  EXPECT_TRUE(outer.isFlat()) << "no box around an untitled frame";
  expectTitleAbove(ViewOf<QGroupBox>(inner), ViewOf<QLabel>(innerLabel));

  frame->SetTitle("Cable Route");
  Sync();
  QApplication::processEvents();
  EXPECT_EQ(outer.title(), "Cable Route");
  expectTitleAbove(outer, ViewOf<QLabel>(left));
}

TEST_F(ContainerPeerTest, OkCancelAndTheCloseBoxAskTheTree) {
  QTest::mouseClick(Window().GetOKButton(), Qt::LeftButton);
  QTest::mouseClick(Window().GetCancelButton(), Qt::LeftButton);
  Window().GetView()->close();
  EXPECT_EQ(Heard(), (std::vector<std::string>{"Dlg:DiaOK", "Dlg:DiaCANCEL", "Dlg:WindClose"}));
  EXPECT_TRUE(Window().GetView()->isVisible());  // nobody hid it: the window stays
  EXPECT_EQ(counter.events, 3);
  dialog->SetOKSensitivity(VexDialog::kInsensitive);
  Sync();
  EXPECT_FALSE(Window().GetOKButton()->isEnabled()) << "OK follows its sensitivity";
}

TEST_F(ContainerPeerTest, TheWindowIsBusyAndClosesAsTheTreeSays) {
  QWidget* view = Window().GetView();
  dialog->SetCursor(VexDialog::kBusyCursor);
  Sync();
  EXPECT_EQ(view->cursor().shape(), Qt::BusyCursor);
  dialog->SetCursor(VexDialog::kNormalCursor);
  dialog->SetVisibility(VexDialog::kHidden);
  Sync();
  EXPECT_NE(view->cursor().shape(), Qt::BusyCursor);
  EXPECT_FALSE(view->isVisible());
}

TEST_F(ContainerPeerTest, AWidgetRemovedFromTheTreeLeavesTheWindow) {
  QPointer<QWidget> view = &ViewOf<QLabel>(left);
  VexSession::GetSession().ScheduleDeletion(left);
  EXPECT_EQ(mirror_->PeerOf(left), nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(view.isNull());
}

TEST_F(ContainerPeerTest, ARefusedClickBecomesAMessageAndChangesNothing) {
  tabs->SetSensitivity(VexDialog::kInsensitive);  // the tree refuses a page change
  Sync();
  QString shown;
  WhenModalOpens([&shown](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    shown = box.text();
    box.accept();
  });
  Tabs().setCurrentIndex(1);  // as a tab bar out of step with the tree would
  EXPECT_FALSE(shown.isEmpty());
  EXPECT_EQ(tabs->GetSelectedPage(), 0);
  EXPECT_EQ(Tabs().currentIndex(), 0);
  EXPECT_TRUE(Heard().empty());
}

TEST_F(PeerFixture, AValueWithItsUnitShowsReadOnlyAndFollowsItsValue) {
  auto* length = new VexCkeUnitFrame(dialog, "LenValue");
  ShowDialog();
  length->Set(nullptr, 8.5);
  Sync();
  QLineEdit& view = ViewOf<QLineEdit>(length);
  EXPECT_TRUE(view.isReadOnly());
  EXPECT_EQ(view.text(), "8.5");
  length->Set(nullptr, 13);
  Sync();
  EXPECT_EQ(view.text(), "13");
}

}  // namespace
