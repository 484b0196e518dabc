#pragma once
// The one way the host program ends the EDSA command and starts it again, so that its panel shows
// the plant as it is. The panel keeps the network in a registry of its own that only the module
// rebuilds; whatever left it stale (an event rolled back, a change of the network from outside
// the panel, an import) asks for a restart here with its reason. The session, text or window,
// honours the request once, after the event: it ends the command (its settings are saved, as on
// close), tells the person why in one message and starts the command again.

#include <functional>
#include <optional>
#include <string>

#include "PanelStaleness.h"
#include "VexStateCommand.h"

class VexDocument;

class PanelRestart {
 public:
  /// How the person hears of a restart: in a message of its own, or in what the action that
  /// asked for it showed already (an import says so in its report).
  enum class Notice { Message, InTheReport };
  struct Request {
    std::string reason;
    Notice notice;
  };
  /// What an import adds to its report when the command runs.
  static constexpr const char* kImportNotice =
      "The EDSA panel closes and opens again to show the plant as it is now.";

  /// `command` is the session's EDSA command; a restart puts the new one there.
  explicit PanelRestart(VexStateCommand_var& command) : command_(command) {}
  PanelRestart(const PanelRestart&) = delete;
  PanelRestart& operator=(const PanelRestart&) = delete;

  VexStateCommand_var& Command() { return command_; }
  bool IsCommandRunning() const { return command_ && command_->IsRunning(); }

  /// Asks for a restart. A request made earlier in the same event stands: one restart, one
  /// message.
  void Ask(std::string reason, Notice notice = Notice::Message);
  /// The request, handed over once; nothing when none was made or the command does not run
  /// (there is no panel to show anew).
  std::optional<Request> Take();

  /// Watches one event of the session on `document`. `throughThePanel`: the event acts on the
  /// panel, so the network changes it makes are the module's own. Nested events are part of the
  /// outer one.
  void BeforeEvent(VexDocument& document, bool throughThePanel);
  /// After the event: a panel it left stale becomes a request.
  void AfterEvent();
  /// Another document replaces the one watched: the command starts afresh on it, so neither the
  /// event watched nor a request is of any use.
  void Reset();

  /// Ends the command by its panel's Cancel (its settings are saved) and lets it go.
  void EndCommand();
  /// Makes a new EDSA command and starts it (one event); throws when it cannot start.
  void StartCommand();
  /// Honours `request`: ends the command, runs `afterEnd` (a transcript reports the closing
  /// there), tells the person when the request says so, and starts the command again.
  void Restart(const Request& request, const std::function<void()>& afterEnd = {});

 private:
  VexStateCommand_var& command_;
  std::optional<Request> request_;
  std::optional<PanelStaleness> watched_;
  int eventDepth_ = 0;
};
