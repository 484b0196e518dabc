#pragma once
// Mirrors the headless widget trees under one root window with Qt peers. It hears every change of
// the toolkit (VexDialogObserver), notes it, and applies what it noted when control comes back to
// Qt's event loop (or at Flush): peers for the children built since, then each changed widget's
// state. So a list filled with 100,000 lines costs one refresh, not 100,000.
//
// The root window itself has no peer: the front end's main window stands for it, and
// PlaceTopLevel decides where each window built directly under the root goes (docked or free).
// Kinds that a person never sees as widgets get no peer: messages, contextual menus and their
// entries (the user's questions and QMenu show those), and empty dialogs, which are the frames of
// the host's file choosers (a QFileDialog shows those).

#include <QObject>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "VexDialog.h"

class QWidget;
class VexQtPeer;

class VexQtDialogMirror : public QObject, public VexDialogObserver {
 public:
  /// Mirrors the windows under `root` (observed, not owned); `placeTopLevel` is told of each
  /// window peer built directly under the root and returns true when it placed the view itself.
  VexQtDialogMirror(VexDialog& root, std::function<bool(VexQtPeer&)> placeTopLevel,
                    QObject* parent = nullptr);
  ~VexQtDialogMirror() override;
  VexQtDialogMirror(const VexQtDialogMirror&) = delete;
  VexQtDialogMirror& operator=(const VexQtDialogMirror&) = delete;

  /// The peer of `widget`, null when it has none (yet).
  VexQtPeer* PeerOf(const VexDialog* widget) const;
  /// Builds the peers still missing and shows every change heard so far.
  void Flush();
  /// Called after each flush that showed something (the main window's status follows it).
  void SetFlushObserver(std::function<void()> observer) { flushObserver_ = std::move(observer); }
  /// How many peers exist (for tests and the benchmark).
  int GetPeerCount() const { return static_cast<int>(peers_.size()); }

 private:
  void OnDialogChanged(VexDialog& widget, VexDialogChange change, VexDialog* child) override;
  void OnListChanged(VexDialog& list, VexListChange change, int row) override;
  void ScheduleFlush();
  void BuildPeers(VexDialog& widget);
  VexQtPeer* BuildPeer(VexDialog& widget);
  void DropPeers(VexDialog& widget);
  QWidget* TopLevelParent(VexDialog& window) const;

  VexDialog& root_;
  std::function<bool(VexQtPeer&)> placeTopLevel_;
  std::unordered_map<const VexDialog*, VexQtPeer*> peers_;  // owned by their views
  std::unordered_set<const VexDialog*> changed_;
  std::vector<VexDialog*> added_;  // children built since the last flush, in creation order
  std::function<void()> flushObserver_;
  bool flushScheduled_ = false;
};
