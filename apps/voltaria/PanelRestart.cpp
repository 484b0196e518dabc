#include "PanelRestart.h"

#include <stdexcept>

#include "VexApplicationFrame.h"
#include "VexClassDictionary.h"
#include "VexDlgWindow.h"
#include "VexSession.h"
#include "VexUiDriver.h"

void PanelRestart::Ask(std::string reason, Notice notice) {
  if (!request_) request_ = Request{std::move(reason), notice};
}

std::optional<PanelRestart::Request> PanelRestart::Take() {
  std::optional<Request> request;
  request.swap(request_);
  return IsCommandRunning() ? request : std::nullopt;
}

void PanelRestart::BeforeEvent(VexDocument& document, bool throughThePanel) {
  if (eventDepth_++ > 0) return;
  watched_.emplace(document);
  watched_->Before(throughThePanel);
}

void PanelRestart::AfterEvent() {
  if (eventDepth_ == 0 || --eventDepth_ > 0) return;
  if (!watched_) return;
  if (auto reason = watched_->Reason()) Ask(*reason);
  watched_.reset();
}

void PanelRestart::Reset() {
  watched_.reset();
  request_.reset();
}

void PanelRestart::EndCommand() {
  if (!IsCommandRunning()) return;
  VexDialog* panel = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel");
  if (!panel) throw std::runtime_error("the EDSA panel is missing");
  VexUiDriver(panel).PressCancel();
  command_ = VexStateCommand_var();  // the last reference: the ended command takes its panel along
}

void PanelRestart::StartCommand() {
  VexBaseUnknown_var created(VexClassDictionary::Instance().Create("VexGrdCmd"));
  VexStateCommand_var command(created);
  if (!command) throw std::runtime_error("the EDSA module did not register its command \"VexGrdCmd\"");
  VexSession& session = VexSession::GetSession();
  session.RunEvent("start the EDSA command", [&] { session.StartCommand(command); });
  command_ = command;
}

void PanelRestart::Restart(const Request& request, const std::function<void()>& afterEnd) {
  EndCommand();
  if (afterEnd) afterEnd();
  if (request.notice == Notice::Message) {
    VexSession::GetSession().ShowMessage(
        VexUnicodeString("EDSA panel"),
        VexUnicodeString(request.reason + " The EDSA panel was closed, with its settings saved, and "
                                          "opened again, so that it shows the plant as it is now."),
        2);
  }
  StartCommand();
}
