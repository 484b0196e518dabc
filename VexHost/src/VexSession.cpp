#include "VexSession.h"

#include <algorithm>

#include "VexApplicationFrame.h"
#include "VexDialog.h"
#include "VexDlgContextualMenu.h"
#include "VexDlgPushItem.h"
#include "VexEndContext.h"
#include "VexError.h"
#include "VexPathElementAgent.h"
#include "VexScriptedUser.h"
#include "VexTrace.h"
#include "VexTransactionHandler.h"

namespace {

VexTrace& HostTrace() {
  static VexTrace trace("VEXHOST", "VEXHOST Trace", 1, "STDERR", 1024);
  return trace;
}

VexUnicodeString TextOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const VexError& e) {
    return e.GetMessageText();
  } catch (const std::exception& e) {
    return VexUnicodeString(e.what());
  } catch (...) {
    return "an error of unknown kind";
  }
}

}  // namespace

VexSession::VexSession() : user_(std::make_unique<VexScriptedUser>()) {}

VexSession& VexSession::GetSession() {
  // Never destroyed: objects released while the process exits still schedule their deletions.
  static VexSession* session = new VexSession;
  return *session;
}

std::exception_ptr VexSession::RunEvent(const char* description,
                                        const std::function<void()>& event, ErrorMode mode) {
  if (inEvent_) {
    event();
    return nullptr;
  }
  HostTrace().TraPutLN(2, (std::string("event: ") + (description ? description : "")).c_str());
  inEvent_ = true;
  std::exception_ptr error;
  std::vector<VexTransactionHandler*> handlers = handlers_;
  try {
    for (VexTransactionHandler* handler : handlers) handler->BeginEvent();
    event();
  } catch (...) {
    error = std::current_exception();
  }
  try {
    RunDeletions();
  } catch (...) {
    if (!error) error = std::current_exception();
  }
  CommitOrRollBack(error);
  VexApplicationFrame::GetFrame()->ResetCursor();
  inEvent_ = false;
  if (error) {
    Report(error);
    if (mode == ErrorMode::Rethrow) std::rethrow_exception(error);
    return error;
  }
  if (!posted_.empty()) RunPendingEvents(mode);
  return nullptr;
}

void VexSession::CommitOrRollBack(std::exception_ptr& error) {
  std::vector<VexTransactionHandler*> handlers = handlers_;
  std::size_t committed = 0;
  if (!error) {
    try {
      for (; committed < handlers.size(); ++committed) handlers[committed]->CommitEvent();
    } catch (...) {
      error = std::current_exception();
    }
  }
  if (!error) return;
  for (std::size_t i = committed; i < handlers.size(); ++i) {
    try {
      handlers[i]->RollbackEvent();
    } catch (...) {
      Report(std::current_exception());
    }
  }
}

void VexSession::Report(const std::exception_ptr& error) {
  VexUnicodeString text = TextOf(error);
  HostTrace().TraPutLN(1, ("error: " + text.str()).c_str());
  log_.Add({VexUserLogEntry::Form::Error, 0, "Error", text, {}});
}

void VexSession::PostEvent(const char* description, std::function<void()> event) {
  posted_.emplace_back(description ? description : "", std::move(event));
}

void VexSession::RunPendingEvents(ErrorMode mode) {
  while (!posted_.empty() && !inEvent_) {
    auto [description, event] = std::move(posted_.front());
    posted_.pop_front();
    std::exception_ptr error = RunEvent(description.c_str(), event, ErrorMode::Return);
    if (error && mode == ErrorMode::Rethrow) std::rethrow_exception(error);
  }
}

void VexSession::AddTransactionHandler(VexTransactionHandler* handler) {
  if (handler && std::find(handlers_.begin(), handlers_.end(), handler) == handlers_.end()) {
    handlers_.push_back(handler);
  }
}

void VexSession::RemoveTransactionHandler(VexTransactionHandler* handler) {
  std::erase(handlers_, handler);
}

void VexSession::ScheduleDeletion(VexCommand* command) {
  for (const VexVar<VexCommand>& waiting : deletions_) {
    if (waiting.get() == command) return;
  }
  deletions_.emplace_back(command);
  if (auto* widget = dynamic_cast<VexDialog*>(command)) widget->DetachFromParent();
  if (!inEvent_) RunDeletions();
}

void VexSession::RunDeletions() {
  // Releasing an object can schedule more (a command deleting its panel): loop until none waits.
  while (!deletions_.empty()) {
    std::vector<VexVar<VexCommand>> batch = std::move(deletions_);
    deletions_.clear();
    batch.clear();
  }
}

void VexSession::SetUser(std::unique_ptr<VexUser> user) {
  user_ = user ? std::move(user) : std::make_unique<VexScriptedUser>();
}

bool VexSession::AskYesNo(const VexUnicodeString& title, const VexUnicodeString& question) {
  VexUserLogEntry entry{VexUserLogEntry::Form::Question, 4, title, question, "(no answer)"};
  try {
    bool yes = user_->AnswerYesNo(title, question);
    entry.answer = yes ? "yes" : "no";
    log_.Add(entry);
    return yes;
  } catch (...) {
    log_.Add(entry);
    throw;
  }
}

void VexSession::ShowMessage(const VexUnicodeString& title, const VexUnicodeString& message,
                             int kind) {
  VexUserLogEntry entry{VexUserLogEntry::Form::Message, kind, title, message, "(no answer)"};
  try {
    user_->Acknowledge(title, message, kind);
    entry.answer = "acknowledged";
    log_.Add(entry);
  } catch (...) {
    log_.Add(entry);
    throw;
  }
}

std::optional<VexUnicodeString> VexSession::ChooseFile(const VexUnicodeString& title,
                                                       const VexListValVexUnicodeString& filters) {
  VexUnicodeString shown;
  for (const VexUnicodeString& filter : filters) {
    shown.Append(shown.IsEmpty() ? "" : ", ").Append(filter);
  }
  VexUserLogEntry entry{VexUserLogEntry::Form::FileChoice, 0, title, shown, "(no answer)"};
  try {
    std::optional<VexUnicodeString> path = user_->ChooseFile(title, filters);
    entry.answer = path ? *path : VexUnicodeString("cancel");
    log_.Add(entry);
    return path;
  } catch (...) {
    log_.Add(entry);
    throw;
  }
}

void VexSession::StartCommand(VexStateCommand_var command) {
  if (!command) throw VexInternalError(2, "CommandMissing", kVexHostCatalog, {"StartCommand"});
  std::string description = std::string("start ") + command->GetName();
  RunEvent(description.c_str(), [this, command] {
    commands_.push_back(command);
    try {
      command->Start();
    } catch (...) {
      EndCommand(command.get());  // a command that failed to start takes no events
      throw;
    }
  });
}

void VexSession::CancelCommand(VexStateCommand* command) {
  auto running = std::find_if(commands_.begin(), commands_.end(),
                              [command](const VexStateCommand_var& c) { return c.get() == command; });
  if (running == commands_.end()) return;
  RunEvent("cancel command", [this, command] {
    command->Cancel(nullptr, nullptr);
    EndCommand(command);
  });
}

void VexSession::EndCommand(VexStateCommand* command) {
  auto running = std::find_if(commands_.begin(), commands_.end(),
                              [command](const VexStateCommand_var& c) { return c.get() == command; });
  command->Stop();
  if (running == commands_.end()) return;
  VexStateCommand_var ended = *running;
  commands_.erase(running);
  ScheduleDeletion(ended.get());
}

bool VexSession::OfferToAgents(const std::function<bool(VexPathElementAgent&)>& offer) {
  std::vector<VexStateCommand_var> commands(commands_.rbegin(), commands_.rend());
  for (const VexStateCommand_var& command : commands) {
    VexCommandState* state = command->GetCurrentState();
    if (!state) continue;
    std::vector<VexAgent_var> agents = state->GetAgents();
    for (const VexAgent_var& agent : agents) {
      auto* acquisition = dynamic_cast<VexPathElementAgent*>(agent.get());
      if (acquisition && offer(*acquisition)) return true;
    }
  }
  return false;
}

bool VexSession::Pick(VexBaseUnknown_var object, VexBaseUnknown_var element) {
  bool taken = false;
  RunEvent("pick", [&] {
    taken = OfferToAgents(
        [&](VexPathElementAgent& agent) { return agent.OfferPick(object, element); });
  });
  if (!taken) HostTrace().TraPutLN(2, "pick taken by no agent");
  return taken;
}

bool VexSession::RequestContextMenu(VexBaseUnknown_var object) {
  bool taken = false;
  RunEvent("contextual menu", [&] {
    if (menu_) EndContextMenu();
    VexVar<VexDlgContextualMenu> menu(new VexDlgContextualMenu(nullptr, "ContextualMenu"));
    taken = OfferToAgents([&](VexPathElementAgent& agent) {
      if (!agent.OfferContextMenu(object, menu.get())) return false;
      menuAgent_ = VexVar<VexPathElementAgent>(&agent);
      return true;
    });
    if (!taken) return;
    menu_ = menu;
    if (menu_->GetChildren().empty()) EndContextMenu();
  });
  if (!taken) HostTrace().TraPutLN(2, "contextual menu taken by no agent");
  return taken;
}

VexDlgContextualMenu* VexSession::GetContextMenu() const { return menu_.get(); }

void VexSession::ChooseContextMenuItem(const char* identifier) {
  if (!menu_) throw VexInputError(1, "NoContextMenu", kVexHostCatalog, {identifier});
  auto* item = dynamic_cast<VexDlgPushItem*>(menu_->FindChild(identifier));
  if (!item) {
    throw VexInputError(1, "WidgetNotFound", kVexHostCatalog,
                        {identifier, VexUnicodeString(menu_->GetPathName())});
  }
  VexVar<VexDlgPushItem> chosen(item);
  RunEvent("choose menu entry", [this, chosen] {
    try {
      chosen->Choose();
    } catch (...) {
      if (menu_) EndContextMenu();  // the menu closes whatever its entry did
      throw;
    }
    if (menu_) EndContextMenu();
  });
}

void VexSession::DismissContextMenu() {
  if (!menu_) throw VexInputError(1, "NoContextMenu", kVexHostCatalog, {"dismiss"});
  RunEvent("dismiss menu", [this] { EndContextMenu(); });
}

void VexSession::EndContextMenu() {
  VexVar<VexDlgContextualMenu> menu = menu_;
  menu_.Reset();
  if (menuAgent_) menuAgent_->SetContextualMenu(nullptr);
  menuAgent_.Reset();
  VexNotification_var end(new VexEndContext);
  menu->GetCallbackManager()->DispatchCallbacks(end.get(), menu.get());
  ScheduleDeletion(menu.get());
}
