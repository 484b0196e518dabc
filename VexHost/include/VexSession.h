#pragma once
// The session: the host's one user-interface thread of events, one per process.
//
// An event (a person's action on a widget, a pick in the viewer, a contextual-menu request or
// choice, the start of a command) runs to completion: every registered transaction handler's
// BeginEvent, the event itself, the deferred deletions (RequestDelayedDestruction,
// VexCommandDeletion), then CommitEvent. When an error escapes, the deletions still run, then
// RollbackEvent, and the error is written to the user log and either rethrown or returned, as the
// caller asks. An event started while another runs is part of that one. Events posted during an
// event (a document chooser waiting for the user) run after it, each as an event of its own.
//
// The session also holds the active state commands, which receive picks and contextual-menu
// requests, and the user, who answers questions, acknowledges messages and chooses files; every
// exchange with the user is recorded in the user log.

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VexBaseUnknown.h"
#include "VexStateCommand.h"
#include "VexUnicodeString.h"
#include "VexUser.h"
#include "VexUserLog.h"

class VexCommand;
class VexDlgContextualMenu;
class VexPathElementAgent;
class VexTransactionHandler;

class VexSession {
 public:
  enum class ErrorMode { Rethrow, Return };

  static VexSession& GetSession();

  /// Runs `event` as one event (see above). With ErrorMode::Return the escaped error is returned
  /// instead of rethrown; null when the event ended normally.
  std::exception_ptr RunEvent(const char* description, const std::function<void()>& event,
                              ErrorMode mode = ErrorMode::Rethrow);
  bool IsInEvent() const { return inEvent_; }
  /// Runs `event` after the current event; posted while no event runs, it waits for the end of
  /// the next event or for RunPendingEvents.
  void PostEvent(const char* description, std::function<void()> event);
  /// Runs the posted events now, each as an event.
  void RunPendingEvents(ErrorMode mode = ErrorMode::Rethrow);
  int GetPendingEventCount() const { return static_cast<int>(posted_.size()); }

  /// Handlers are observed, not owned; each one is called in the order of registration.
  void AddTransactionHandler(VexTransactionHandler* handler);
  void RemoveTransactionHandler(VexTransactionHandler* handler);

  /// Detaches `command` from its parent widget and releases the session's reference after the
  /// current event (at once when no event runs). Requests for an object already waiting are
  /// ignored.
  void ScheduleDeletion(VexCommand* command);

  /// Replaces the user; the default user is a VexScriptedUser with no answers queued.
  void SetUser(std::unique_ptr<VexUser> user);
  VexUser& GetUser() { return *user_; }
  /// Asks a yes/no question; true for yes.
  bool AskYesNo(const VexUnicodeString& title, const VexUnicodeString& question);
  /// Shows a message of kind 1 (information) to 3 (error) until it is acknowledged.
  void ShowMessage(const VexUnicodeString& title, const VexUnicodeString& message, int kind);
  /// Asks for a file; no value when the user cancels.
  std::optional<VexUnicodeString> ChooseFile(const VexUnicodeString& title,
                                             const VexListValVexUnicodeString& filters);
  VexUserLog& GetUserLog() { return log_; }

  /// Starts `command` as one event: it builds its graph, enters its initial state and is
  /// activated with activation type 0; then it takes picks and menu requests until it ends.
  void StartCommand(VexStateCommand_var command);
  /// Cancels a running command: its Cancel runs and the session releases it. A command that is
  /// not running (ended, or never started) is left alone.
  void CancelCommand(VexStateCommand* command);
  /// Framework: `command` ended through a transition; it is released after the event.
  void EndCommand(VexStateCommand* command);
  int GetActiveCommandCount() const { return static_cast<int>(commands_.size()); }

  /// A pick of `object` in the viewer, carrying the plant element `element` (may be null), as
  /// one event: the newest command whose current state has a pick agent for the object takes it.
  /// Returns whether an agent took it.
  bool Pick(VexBaseUnknown_var object, VexBaseUnknown_var element = nullptr);
  /// A contextual-menu request on `object`, as one event: the accepting agent gets a fresh menu
  /// and its command's action fills it. A menu left empty ends at once. Returns whether an agent
  /// took the request.
  bool RequestContextMenu(VexBaseUnknown_var object);
  /// The open contextual menu; null when none.
  VexDlgContextualMenu* GetContextMenu() const;
  /// A person chooses the menu entry `identifier`, then the menu ends ("VexEndContext" is sent
  /// by the menu and the menu is destroyed), as one event; the menu ends even when the entry's
  /// callback fails.
  void ChooseContextMenuItem(const char* identifier);
  /// A person dismisses the menu without choosing: it ends as above.
  void DismissContextMenu();

 private:
  VexSession();
  void RunDeletions();
  void CommitOrRollBack(std::exception_ptr& error);
  void Report(const std::exception_ptr& error);
  bool OfferToAgents(const std::function<bool(VexPathElementAgent&)>& offer);
  void EndContextMenu();
  std::vector<VexTransactionHandler*> handlers_;
  std::vector<VexVar<VexCommand>> deletions_;
  std::deque<std::pair<std::string, std::function<void()>>> posted_;
  std::vector<VexStateCommand_var> commands_;
  VexVar<VexDlgContextualMenu> menu_;
  VexVar<VexPathElementAgent> menuAgent_;
  std::unique_ptr<VexUser> user_;
  VexUserLog log_;
  bool inEvent_ = false;
};
