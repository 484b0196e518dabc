#pragma once
// What a front end hears of the headless widget trees: every change of a widget, synchronously,
// as it happens. A display mirrors the trees with it (no polling, no comparing snapshots); it may
// coalesce several changes of one widget and render them when control comes back to it.

class VexDialog;

/// The kind of a widget change.
enum class VexDialogChange {
  State,         ///< the kind's own content: text, lines, cells, check state, OK sensitivity
  Selection,     ///< which line, rows or page is selected (the content is the same)
  Visibility,    ///< shown or hidden
  Sensitivity,   ///< sensitive or insensitive
  Title,         ///< the explicit title
  Cursor,        ///< normal or busy cursor
  ChildAdded,    ///< a child was built inside the widget
  ChildRemoved,  ///< a child left the widget (detached or released with it)
  Destroyed,     ///< the widget is being destroyed: only its address is still meaningful
};

/// How the lines of a list (a selector or multi-column list, a combo) changed.
enum class VexListChange {
  Reset,     ///< lines were removed or the columns changed: the whole list is to be read again
  Appended,  ///< line `row` was added at the end
  Replaced,  ///< line `row` (a cell of it) was set again in place
};

class VexDialogObserver {
 public:
  virtual ~VexDialogObserver() = default;
  /// `child` names the child for ChildAdded and ChildRemoved, null otherwise. A child just added
  /// is still under construction: keep its address and look at it once the current call returns
  /// to the front end.
  virtual void OnDialogChanged(VexDialog& widget, VexDialogChange change, VexDialog* child) = 0;
  /// A change of a list's lines, told instead of its State change, so that a front end can show
  /// one line added or set without reading the list again. Unless overridden it is heard as that
  /// State change.
  virtual void OnListChanged(VexDialog& list, VexListChange, int /*row*/) {
    OnDialogChanged(list, VexDialogChange::State, nullptr);
  }
};
