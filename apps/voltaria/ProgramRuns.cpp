#include "ProgramRuns.h"

#include <algorithm>
#include <filesystem>

#include "VexSession.h"

namespace {

constexpr const char* kTitle = "EDSA";

// What the program said, without the program's name it starts with.
std::string Said(const std::string& program, const std::string& text) {
  std::string trimmed = text.rfind(program + ": ", 0) == 0 ? text.substr(program.size() + 2) : text;
  while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r')) trimmed.pop_back();
  return trimmed.empty() ? "(it said nothing on standard error)" : trimmed;
}

}  // namespace

ProgramRuns::ProgramRuns() {
  observer_ = VexAddProcessObserver([this](const VexProcessStart& start) { running_.push_back({start.pid, start.program}); });
}

ProgramRuns::~ProgramRuns() { VexRemoveProcessObserver(observer_); }

std::string ProgramRuns::FailureText(const VexProcessEnd& end) {
  std::string name = std::filesystem::path(end.program).filename().string();
  return name + " failed (exit status " + std::to_string(end.exitStatus) + "): " + Said(name, end.errorOutput);
}

void ProgramRuns::AwaitEnds(std::chrono::milliseconds bound) {
  auto deadline = std::chrono::steady_clock::now() + bound;
  std::vector<Run> started;
  started.swap(running_);
  for (const Run& run : started) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    auto end = VexWaitForProcessEnd(run.pid, std::max(left, std::chrono::milliseconds(0)));
    if (!end) {
      running_.push_back(run);  // waited for again after the next command
      std::string name = std::filesystem::path(run.program).filename().string();
      VexSession::GetSession().ShowMessage(kTitle, VexUnicodeString(name + " is still running; its results may not be ready"), 2);
    } else if (end->exitStatus != 0) {
      VexSession::GetSession().ShowMessage(kTitle, VexUnicodeString(FailureText(*end)), 2);
    }
  }
}
