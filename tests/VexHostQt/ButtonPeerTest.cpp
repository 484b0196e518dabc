#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "PeerFixture.h"
#include "VexDlgCheckButton.h"
#include "VexDlgPushButton.h"
#include "VexQtInputPeers.h"

namespace {

class ButtonPeerTest : public PeerFixture {
 protected:
  ButtonPeerTest() {
    button = new VexDlgPushButton(dialog, "GoBtn");
    button->SetTitle("Go");
    check = new VexDlgCheckButton(dialog, "ShowChk");
    check->SetGridConstraints(0, 1, 1, 1, 0);
    Listen(button, button->GetPushBActivateNotification());
    Listen(check, check->GetChkBModifyNotification());
    ShowDialog();
  }
  VexDlgPushButton* button;
  VexDlgCheckButton* check;
};

TEST_F(ButtonPeerTest, AClickIsOnePushAndOneSessionEvent) {
  QTest::mouseClick(&ViewOf<QPushButton>(button), Qt::LeftButton);
  EXPECT_EQ(Heard(), std::vector<std::string>{"GoBtn:PushBActivate"});
  EXPECT_EQ(counter.events, 1);
}

TEST_F(ButtonPeerTest, TheButtonShowsItsTitleSensitivityAndVisibility) {
  QPushButton& view = ViewOf<QPushButton>(button);
  EXPECT_EQ(view.text(), "Go");
  button->SetTitle("Run");
  button->SetSensitivity(VexDialog::kInsensitive);
  Sync();
  EXPECT_EQ(view.text(), "Run");
  EXPECT_FALSE(view.isEnabled());
  QTest::mouseClick(&view, Qt::LeftButton);
  EXPECT_TRUE(Heard().empty());  // a disabled button takes no click
  button->SetVisibility(VexDialog::kHidden);
  Sync();
  EXPECT_FALSE(view.isVisible());
}

TEST_F(ButtonPeerTest, TickingIsOneModificationAndTheTreeHoldsTheState) {
  QCheckBox& view = ViewOf<QCheckBox>(check);
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(6, view.height() / 2));
  EXPECT_EQ(check->GetState(), VexDlgCheckButton::kChecked);
  EXPECT_EQ(Heard(), std::vector<std::string>{"ShowChk:ChkBModify"});
  EXPECT_EQ(counter.events, 1);
}

TEST_F(ButtonPeerTest, AStateSetByTheModuleShowsWithoutANotification) {
  check->SetState(VexDlgCheckButton::kChecked);
  EXPECT_FALSE(ViewOf<QCheckBox>(check).isChecked());  // not before control returns to Qt
  QApplication::processEvents();
  EXPECT_TRUE(ViewOf<QCheckBox>(check).isChecked());
  EXPECT_TRUE(Heard().empty());
}

}  // namespace
