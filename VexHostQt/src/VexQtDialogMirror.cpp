#include "VexQtDialogMirror.h"

#include <QMetaObject>
#include <QWidget>
#include <algorithm>

#include "VexQtPeer.h"
#include "VexQtPeerFactory.h"

VexQtDialogMirror::VexQtDialogMirror(VexDialog& root,
                                     std::function<bool(VexQtPeer&)> placeTopLevel,
                                     QObject* parent)
    : QObject(parent), root_(root), placeTopLevel_(std::move(placeTopLevel)) {
  VexDialog::AddChangeObserver(this);
  for (VexDialog* child : root_.GetChildren()) BuildPeers(*child);
}

VexQtDialogMirror::~VexQtDialogMirror() {
  VexDialog::RemoveChangeObserver(this);
  std::vector<QWidget*> freeWindows;
  for (auto& [widget, peer] : peers_) {
    peer->Detach();
    if (peer->IsTopLevel() && !peer->GetView()->parentWidget()) freeWindows.push_back(peer->GetView());
  }
  // Windows without a Qt parent are the mirror's own; the others go with their parents.
  for (QWidget* window : freeWindows) delete window;
}

VexQtPeer* VexQtDialogMirror::PeerOf(const VexDialog* widget) const {
  auto found = peers_.find(widget);
  return found == peers_.end() ? nullptr : found->second;
}

void VexQtDialogMirror::OnDialogChanged(VexDialog& widget, VexDialogChange change,
                                        VexDialog* child) {
  switch (change) {
    case VexDialogChange::ChildAdded:
      added_.push_back(child);
      break;
    case VexDialogChange::ChildRemoved:
      std::erase(added_, child);
      DropPeers(*child);
      break;
    case VexDialogChange::Destroyed:
      std::erase(added_, &widget);
      DropPeers(widget);
      return;
    default:
      // A window without a peer yet may get one when it is shown with content.
      if (VexQtPeer* peer = PeerOf(&widget)) {
        peer->NoteChange(change);
      } else if (change != VexDialogChange::Visibility) {
        return;
      }
      changed_.insert(&widget);
      break;
  }
  ScheduleFlush();
}

// A list without a peer has nothing shown to bring up to date.
void VexQtDialogMirror::OnListChanged(VexDialog& list, VexListChange change, int row) {
  VexQtPeer* peer = PeerOf(&list);
  if (!peer) return;
  peer->NoteListChange(change, row);
  changed_.insert(&list);
  ScheduleFlush();
}

void VexQtDialogMirror::ScheduleFlush() {
  if (flushScheduled_) return;
  flushScheduled_ = true;
  QMetaObject::invokeMethod(this, [this] { Flush(); }, Qt::QueuedConnection);
}

void VexQtDialogMirror::Flush() {
  flushScheduled_ = false;
  std::vector<VexDialog*> added;
  added.swap(added_);
  for (VexDialog* child : added) {
    // A window left without a peer while it was empty gets one with its first content.
    VexDialog* parent = child->GetParent();
    if (parent && parent->IsWindow() && !PeerOf(parent)) BuildPeers(*parent);
    BuildPeers(*child);
  }
  std::unordered_set<const VexDialog*> changed;
  changed.swap(changed_);
  for (const VexDialog* widget : changed) {
    if (VexQtPeer* peer = PeerOf(widget)) {
      peer->Refresh();
    } else {
      BuildPeers(*const_cast<VexDialog*>(widget));
    }
  }
  if (flushObserver_ && !(added.empty() && changed.empty())) flushObserver_();
}

// Builds the peer of `widget` when its parent is mirrored, then those of its descendants.
void VexQtDialogMirror::BuildPeers(VexDialog& widget) {
  if (PeerOf(&widget)) return;
  VexDialog* parent = widget.GetParent();
  bool underRoot = parent == &root_;
  VexQtPeer* parentPeer = parent ? PeerOf(parent) : nullptr;
  if (!underRoot && !parentPeer) return;
  VexQtPeer* peer = BuildPeer(widget);
  if (!peer) return;
  for (VexDialog* child : widget.GetChildren()) BuildPeers(*child);
  if (peer->IsTopLevel()) {
    if (!underRoot || !placeTopLevel_ || !placeTopLevel_(*peer)) {
      QWidget* view = peer->GetView();
      view->setParent(TopLevelParent(widget), Qt::Dialog);
    }
  } else if (parentPeer) {
    parentPeer->AddChildView(*peer);
  }
  peer->Refresh();
}

VexQtPeer* VexQtDialogMirror::BuildPeer(VexDialog& widget) {
  if (!VexQtPeerFactory::HasView(widget)) return nullptr;
  VexQtPeer* peer = VexQtPeerFactory::Create(widget, *this);
  if (peer) peers_[&widget] = peer;
  return peer;
}

void VexQtDialogMirror::DropPeers(VexDialog& widget) {
  for (VexDialog* child : widget.GetChildren()) DropPeers(*child);
  changed_.erase(&widget);
  auto found = peers_.find(&widget);
  if (found == peers_.end()) return;
  VexQtPeer* peer = found->second;
  peers_.erase(found);
  peer->Detach();
  // Later: the view may be the sender of the signal whose action removed the widget.
  if (QWidget* view = peer->GetView()) {
    view->hide();
    view->deleteLater();
  }
}

QWidget* VexQtDialogMirror::TopLevelParent(VexDialog& window) const {
  for (VexDialog* above = window.GetParent(); above; above = above->GetParent()) {
    if (VexQtPeer* peer = PeerOf(above)) return peer->GetView()->window();
  }
  return nullptr;
}
