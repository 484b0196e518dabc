#pragma once
// The headless widget tree. A widget has a parent, an identifier, style bits, a visibility, a
// sensitivity, a grid cell, a title and the state of its kind; a front end (the script driver,
// later a real display) observes and drives it. Nothing here depends on a display.
//
// Ownership: a widget holds a counted reference to each child, taken when the child is built with
// it as parent, and releases its children, in creation order, when it is destroyed. Code that
// creates widgets keeps plain pointers to them; VexCommandDeletion or RequestDelayedDestruction
// detaches a widget from its parent and releases it after the current event.
//
// A person's actions (Push, TypeText, SelectRowsByUser, ...) are methods of the widget kinds:
// each runs as one session event, is refused with a VexInputError when the widget is not usable,
// changes the state and dispatches the widget's notification exactly as a click would.
// Programmatic setters with a notify argument of 0 send nothing.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "VexCommand.h"
#include "VexDialogObserver.h"
#include "VexNotification.h"
#include "VexUnicodeString.h"

class VexDlgWindow;

class VexDialog : public VexCommand {
 public:
  static constexpr int kShown = 2;
  static constexpr int kHidden = 4;
  static constexpr int kSensitive = 8;
  static constexpr int kInsensitive = 16;
  static constexpr int kNormalCursor = 0;
  static constexpr int kBusyCursor = 1;

  /// A grid cell: column and row in the parent's grid, spans, justification (raw toolkit value).
  struct GridCell {
    int column = 0;
    int row = 0;
    int columnSpan = 1;
    int rowSpan = 1;
    int justification = 0;
  };
  /// A vertical attachment of a child to one line of this widget's layout (stored only).
  struct Attachment {
    int line = 0;
    int attachment = 0;
    VexDialog* widget = nullptr;
  };

  /// Builds a widget called `identifier` inside `parent` (null for a top-level window).
  VexDialog(VexDialog* parent, const char* identifier, int style = 0);

  VexDialog* GetParent() const { return parent_; }
  int GetStyle() const { return style_; }
  const std::vector<VexDialog*>& GetChildren() const { return children_; }
  /// The kind's class name, for rendering and error messages ("VexDlgPushButton").
  virtual const char* GetKindName() const { return "VexDialog"; }

  /// The nearest window above this widget (for a window, the window it belongs to), or null.
  VexDlgWindow* GetFatherWindow() const;
  virtual bool IsWindow() const { return false; }

  /// 8 sensitive, 16 insensitive; any other value is a programming error.
  void SetSensitivity(int sensitivity);
  int GetSensitivity() const { return sensitivity_; }
  /// 2 shown, 4 hidden; any other value is a programming error.
  void SetVisibility(int visibility);
  int GetVisibility() const { return visibility_; }
  /// True when a person can use the widget: it and all its ancestors are sensitive and shown.
  bool IsUsable() const;
  /// True when this widget itself is on screen, its ancestors aside (a tab page also needs to be
  /// the selected page of its container).
  virtual bool IsDisplayed() const { return visibility_ == kShown; }

  /// An explicit title wins over the label of the dialog resources.
  void SetTitle(const VexUnicodeString& title);
  /// The explicit title, else the label of this identifier in the dialog resources: the nearest
  /// ancestor-or-self whose GetResourceFileName(0) is not empty names "<name>.labels"; levels 1,
  /// 2, ... of the same ancestor are tried next, then further ancestors. Empty when none has it.
  VexUnicodeString GetTitle() const;
  /// The resource file of this dialog class at `level` (0: its own, 1: its base's, ...); "".
  virtual const char* GetResourceFileName(int level) const;

  void SetIconName(const char* name, const char* alternate1 = "", const char* alternate2 = "",
                   const char* alternate3 = "");
  const std::string& GetIconName() const { return iconName_; }

  void SetGridConstraints(int column, int row, int columnSpan, int rowSpan, int justification);
  const GridCell& GetGridConstraints() const { return grid_; }
  void SetVerticalAttachment(int line, int attachment, VexDialog* widget);
  const std::vector<Attachment>& GetVerticalAttachments() const { return attachments_; }

  void SetCursor(int cursor);
  int GetCursor() const { return cursor_; }

  /// The first descendant called `identifier`, depth-first; null when none.
  VexDialog* FindChild(const char* identifier) const;
  /// Follows a path "A/B/C": each part is found with FindChild under the previous one, so
  /// intermediate frames may be left out. Null when a part is not found.
  VexDialog* FindPath(const std::string& path) const;
  /// The identifiers from the root down to this widget, joined with '/'.
  std::string GetPathName() const;

  /// One line of state for the text rendering ("text=\"abc\""); empty for plain widgets.
  virtual std::string DescribeState() const { return {}; }

  /// Removes this widget from its parent, which drops its reference. Used by deferred deletion.
  void DetachFromParent();

  /// Front ends that mirror the widget trees (observed, not owned); each is told of every change
  /// of every widget, in the order of registration.
  static void AddChangeObserver(VexDialogObserver* observer);
  static void RemoveChangeObserver(VexDialogObserver* observer);

 protected:
  ~VexDialog() override;

  /// The notification of this widget's event `eventName`, created on first use.
  VexNotification* EventNotification(const char* eventName);
  /// Dispatches the notification of `eventName` with this widget as sender.
  void NotifyEvent(const char* eventName);
  /// Tells the change observers that `change` happened to this widget.
  void NotifyChange(VexDialogChange change, VexDialog* child = nullptr);
  /// Tells the change observers how this list's lines changed (a State change).
  void NotifyListChange(VexListChange change, int row);
  /// Runs a person's action as one session event, after checking that the widget is usable.
  void RunUserAction(const char* action, const std::function<void()>& body);
  /// `text` in double quotes, with quotes and line ends escaped, for DescribeState.
  static std::string Quote(const VexUnicodeString& text);
  /// A programming error about this widget: a wrong value given to one of its operations.
  [[noreturn]] void ThrowBadValue(const char* operation, long value) const;

 private:
  void AddChild(VexDialog* child);
  void RemoveChild(VexDialog* child);

  VexDialog* parent_;
  int style_;
  std::vector<VexDialog*> children_;  // counted references, in creation order
  int visibility_ = kShown;
  int sensitivity_ = kSensitive;
  bool hasTitle_ = false;
  VexUnicodeString title_;
  std::string iconName_;
  GridCell grid_;
  std::vector<Attachment> attachments_;
  int cursor_ = kNormalCursor;
  std::map<std::string, VexNotification_var> events_;
};

using VexDialog_var = VexVar<VexDialog>;
