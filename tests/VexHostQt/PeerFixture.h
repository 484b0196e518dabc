#pragma once
// A root window mirrored by Qt peers, a recorder of the tree's notifications and a counter of
// session events, for the widget tests of the peers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "VexDlgDialog.h"
#include "VexDlgNotification.h"
#include "VexNotification.h"
#include "VexQtDialogMirror.h"
#include "VexQtPeer.h"
#include "VexSession.h"
#include "VexTransactionHandler.h"

/// Counts the session's events, so a test sees that one click is one event.
class EventCounter : public VexTransactionHandler {
 public:
  EventCounter() { VexSession::GetSession().AddTransactionHandler(this); }
  ~EventCounter() override { VexSession::GetSession().RemoveTransactionHandler(this); }
  void BeginEvent() override { ++events; }
  void CommitEvent() override {}
  void RollbackEvent() override { ++rolledBack; }
  int events = 0;
  int rolledBack = 0;
};

/// Records "<sender>:<notification>" for the notifications it is subscribed to.
class Recorder : public VexCommand {
 public:
  Recorder() : VexCommand("recorder") {}
  void Listen(VexCommand* sender, VexNotification* notification) {
    AddAnalyseNotificationCB(sender, notification, &Recorder::Record, nullptr);
  }
  void Record(VexCommand* sender, VexNotification* notification, void*) {
    auto* event = dynamic_cast<VexDlgNotification*>(notification);
    events.push_back(std::string(sender->GetName()) + ":" + (event ? event->GetEventName() : notification->IsA()));
  }
  std::vector<std::string> events;
};

/// Answers the next modal window with `answer` once it is open.
inline void WhenModalOpens(std::function<void(QWidget&)> answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr) << "no modal window opened";
    answer(*modal);
  });
}

class PeerFixture : public ::testing::Test {
 protected:
  PeerFixture()
      : root_(new VexDlgWindow(nullptr, "Root")),
        recorder_(new Recorder),
        mirror_(std::make_unique<VexQtDialogMirror>(*root_, nullptr)) {
    root_->SetVisibility(VexDialog::kShown);
    dialog = new VexDlgDialog(root_.get(), "Dlg");
  }
  ~PeerFixture() override {
    mirror_.reset();
    QApplication::processEvents();  // views dropped by the tree are deleted later
  }

  /// Shows the dialog and lets the mirror catch up, as Qt's event loop would.
  void ShowDialog() {
    dialog->SetVisibility(VexDialog::kShown);
    Sync();
    if (VexQtPeer* peer = mirror_->PeerOf(dialog)) {
      QWidget* window = peer->GetView()->window();
      window->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }
  }
  void Sync() { mirror_->Flush(); }

  template <class P>
  P& PeerOf(VexDialog* widget) {
    auto* peer = dynamic_cast<P*>(mirror_->PeerOf(widget));
    if (!peer) throw std::runtime_error(std::string("no peer of the expected kind for ") + widget->GetName());
    return *peer;
  }
  template <class V>
  V& ViewOf(VexDialog* widget) {
    auto* view = qobject_cast<V*>(mirror_->PeerOf(widget) ? mirror_->PeerOf(widget)->GetView() : nullptr);
    if (!view) throw std::runtime_error(std::string("no view of the expected kind for ") + widget->GetName());
    return *view;
  }
  /// Records the event of `notification` sent by `sender`.
  void Listen(VexCommand* sender, VexNotification* notification) { recorder_->Listen(sender, notification); }
  const std::vector<std::string>& Heard() const { return recorder_->events; }

  VexVar<VexDlgWindow> root_;
  VexVar<Recorder> recorder_;
  std::unique_ptr<VexQtDialogMirror> mirror_;
  VexDlgDialog* dialog;
  EventCounter counter;
};
