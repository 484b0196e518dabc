#include "WindowTour.h"

#include "ChangeReporter.h"
#include "ScriptInterpreter.h"
#include "TerminalUser.h"
#include "VexApplicationFrame.h"
#include "VexDlgWindow.h"
#include "VexQtUser.h"
#include "VexSession.h"
#include "VexWorkspace.h"

WindowTour::WindowTour(const std::filesystem::path& script, VexWorkspace& workspace,
                       PanelRestart& restart, std::function<void(const QString&)> show,
                       std::function<void()> finished)
    : script_(script), reader_(std::make_unique<LineReader>(false)), show_(std::move(show)),
      finished_(std::move(finished)) {
  auto user = std::make_unique<TerminalUser>(*reader_, transcript_);
  user_ = user.get();
  VexSession::GetSession().SetUser(std::move(user));
  reporter_ = std::make_unique<ChangeReporter>(VexApplicationFrame::GetFrame()->GetMainWindow(),
                                               workspace.GetEditor(), workspace.GetViewer(), transcript_);
  interpreter_ = std::make_unique<ScriptInterpreter>(workspace, restart, *user_, *reporter_, transcript_);
  timer_.setInterval(500);
  connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
  if (!script_) transcript_ << "The tour script " << script.string() << " cannot be read.\n";
}

WindowTour::~WindowTour() = default;

void WindowTour::Start() {
  if (!script_) return Finish();
  timer_.start();
}

void WindowTour::Step() {
  std::string line;
  if (!std::getline(script_, line)) return Finish();
  ++lineNumber_;
  std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos || line[first] == '#') return Step();
  transcript_ << "\n> " << line << '\n';
  ScriptInterpreter::Outcome outcome = ScriptInterpreter::Outcome::Done;
  bool onThePanel = false;
  try {
    std::vector<std::string> words = ScriptInterpreter::SplitWords(line);
    onThePanel = !words.empty() && ScriptInterpreter::ActsOnThePanel(words[0]);
  } catch (const std::invalid_argument&) {
    // the interpreter tells what is wrong with the line
  }
  VexQtRunPersonAction(
      nullptr, [&] { outcome = interpreter_->Execute(line); },
      onThePanel ? VexQtActionTarget::Module : VexQtActionTarget::Window);
  if (outcome == ScriptInterpreter::Outcome::Failed) {
    transcript_ << "The tour stopped at line " << lineNumber_ << ".\n";
    return Finish();
  }
  show_(QString::fromStdString(transcript_.str()));
}

// The interpreter goes before the user it refers to; the person answers again afterwards.
void WindowTour::Finish() {
  timer_.stop();
  show_(QString::fromStdString(transcript_.str()));
  interpreter_.reset();
  reporter_.reset();
  finished_();
}
