#pragma once
// The person at the window answers the session's questions: message boxes for yes/no questions
// and messages, a file dialog for file choices. Each is modal, so nothing else enters the
// session while it is open.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "VexUser.h"

class VexQtUser : public VexUser {
 public:
  /// Questions show over `parent` (may be null: centred on the screen).
  explicit VexQtUser(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AnswerYesNo(const VexUnicodeString& title, const VexUnicodeString& question) override;
  void Acknowledge(const VexUnicodeString& title, const VexUnicodeString& message, int kind) override;
  std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString& title,
                                             const VexListValVexUnicodeString& filters) override;

  /// The filters as a file dialog takes them; a filter text without a pattern in parentheses
  /// is taken as it is. The last entry offers every file.
  static QStringList FileDialogFilters(const VexListValVexUnicodeString& filters);

 private:
  QPointer<QWidget> parent_;
};

/// What a person's action in the window is aimed at: the module (its widgets, a pick or a
/// contextual menu), which knows of the changes it makes itself, or the host's window (its menus
/// and toolbar), whose changes the module does not follow.
enum class VexQtActionTarget { Module, Window };

/// Hears each person's action before it runs and after it ended, refused or not, so that the host
/// program can look at what the action left behind. An action run inside another is part of it.
class VexQtPersonActionObserver {
 public:
  virtual ~VexQtPersonActionObserver() = default;
  virtual void BeforePersonAction(VexQtActionTarget target) = 0;
  virtual void AfterPersonAction() = 0;
};

/// The one observer of the person's actions (null: none); the host program sets it.
void VexQtSetPersonActionObserver(VexQtPersonActionObserver* observer);

/// Runs a person's action (one session event). A refusal (VexInputError) or any other failure
/// that escapes it becomes a message over `parent`, never a crash.
void VexQtRunPersonAction(QWidget* parent, const std::function<void()>& action,
                          VexQtActionTarget target = VexQtActionTarget::Module);
