#pragma once
// A Qt peer of one widget of the headless tree: it shows the widget's state and forwards a
// person's actions to the widget's person-action methods, so a click on the peer is exactly the
// session event a script's action is. The peer is a child QObject of its view, so it lives as
// long as the view; the mirror detaches it (the widget pointer goes null) when the widget leaves
// the tree, and a detached peer forwards nothing.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "VexDialog.h"

class QGridLayout;
class VexQtDialogMirror;

class VexQtPeer : public QObject {
 public:
  VexQtPeer(VexDialog& widget, QWidget* view, VexQtDialogMirror& mirror);

  /// The mirrored widget; null once the widget left the tree.
  VexDialog* GetWidget() const { return widget_; }
  QWidget* GetView() const { return view_; }

  /// Shows the widget's whole state: visibility, sensitivity, title, cursor and the kind's own.
  void Refresh();
  /// A change heard from the tree, before the next Refresh: a kind whose content is costly to
  /// show again (a long list) notes what it must reload.
  virtual void NoteChange(VexDialogChange) {}
  /// A change of the lines of a list, told in place of its State change.
  virtual void NoteListChange(VexListChange, int /*row*/) { NoteChange(VexDialogChange::State); }
  /// Puts the view of `child` where the child's grid cell says (or as the kind arranges it).
  virtual void AddChildView(VexQtPeer& child);
  /// Whether this peer is a top-level window of the display (not placed in its parent).
  virtual bool IsTopLevel() const { return false; }
  /// The widget left the tree: forget it and forward nothing more.
  void Detach() { widget_ = nullptr; }

 protected:
  /// The kind's own state (text, lines, selection, check state, page).
  virtual void RefreshState() {}
  /// Shown or hidden; a tab page overrides it because its container shows one page at a time.
  virtual void RefreshVisibility();
  virtual void RefreshTitle() {}
  /// The grid that children are placed in; null for kinds without children.
  virtual QGridLayout* ChildGrid() { return nullptr; }

  /// Runs a person's action on the widget. A refusal or a failure becomes a message to the
  /// person, and the peer shows the tree's state afterwards (so a refused change is undone).
  void Act(const std::function<void()>& action);
  /// True while the peer copies the tree's state into its view: view signals raised then are the
  /// peer's own doing, not a person's, and must not be forwarded.
  bool IsRefreshing() const { return refreshing_; }
  /// The widget's title, else its identifier, so that nothing shows blank.
  QString DisplayTitle() const;
  VexQtDialogMirror& Mirror() { return mirror_; }

  VexDialog* widget_;
  QPointer<QWidget> view_;

 private:
  VexQtDialogMirror& mirror_;
  bool refreshing_ = false;
};

/// The UTF-8 text of the tree as a QString, and back.
QString VexQtText(const VexUnicodeString& text);
VexUnicodeString VexQtText(const QString& text);
