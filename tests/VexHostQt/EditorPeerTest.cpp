#include <QLineEdit>
#include <QTest>

#include "PeerFixture.h"
#include "VexDlgEditor.h"
#include "VexDlgPushButton.h"
#include "VexQtInputPeers.h"

namespace {

class EditorPeerTest : public PeerFixture {
 protected:
  EditorPeerTest() {
    editor = new VexDlgEditor(dialog, "NameEdt");
    editor->SetMaxCharacterWidth(8);
    other = new VexDlgEditor(dialog, "OtherEdt");
    other->SetGridConstraints(0, 1, 1, 1, 0);
    Listen(editor, editor->GetEditModifyNotification());
    ShowDialog();
  }
  QLineEdit& Line() { return ViewOf<QLineEdit>(editor); }
  VexDlgEditor* editor;
  VexDlgEditor* other;
};

TEST_F(EditorPeerTest, KeystrokesSendNothingAndReturnSendsOneModification) {
  Line().setFocus();
  QTest::keyClicks(&Line(), "BUS7");
  EXPECT_TRUE(Heard().empty());
  EXPECT_EQ(editor->GetText().str(), "");
  QTest::keyClick(&Line(), Qt::Key_Return);
  EXPECT_EQ(Heard(), std::vector<std::string>{"NameEdt:EditModify"});
  EXPECT_EQ(editor->GetText().str(), "BUS7");
  EXPECT_EQ(counter.events, 1);
}

TEST_F(EditorPeerTest, LeavingAChangedFieldSendsItsTextAndAnUnchangedOneSendsNothing) {
  Line().setFocus();
  QTest::keyClicks(&Line(), "abc");
  ViewOf<QLineEdit>(other).setFocus();
  EXPECT_EQ(editor->GetText().str(), "abc");
  Line().setFocus();
  ViewOf<QLineEdit>(other).setFocus();
  EXPECT_EQ(Heard(), std::vector<std::string>{"NameEdt:EditModify"});
}

TEST_F(EditorPeerTest, TheFieldRefusesCharactersBeyondTheMaximumWidth) {
  Line().setFocus();
  QTest::keyClicks(&Line(), "0123456789");
  QTest::keyClick(&Line(), Qt::Key_Return);
  EXPECT_EQ(editor->GetText().str(), "01234567");
}

TEST_F(EditorPeerTest, TextSetByTheModuleShows) {
  editor->SetText("/plant/net.mas");
  Sync();
  EXPECT_EQ(Line().text(), "/plant/net.mas");
  EXPECT_TRUE(Heard().empty());
}

// A module that answers a modification by emptying the field (a refusal) shows the empty field.
class Refuser : public VexCommand {
 public:
  Refuser() : VexCommand("refuser") {}
  void Refuse(VexCommand* sender, VexNotification*, void*) {
    static_cast<VexDlgEditor*>(sender)->SetText("");
  }
};

TEST_F(EditorPeerTest, TheFieldShowsWhatTheModuleMadeOfTheText) {
  VexVar<Refuser> refuser(new Refuser);
  refuser->AddAnalyseNotificationCB(editor, editor->GetEditModifyNotification(), &Refuser::Refuse, nullptr);
  Line().setFocus();
  QTest::keyClicks(&Line(), "bad");
  QTest::keyClick(&Line(), Qt::Key_Return);
  EXPECT_EQ(Line().text(), "");
}

}  // namespace
