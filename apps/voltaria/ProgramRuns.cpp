#include "ProgramRuns.h"

#include <algorithm>
#include <filesystem>
#include <set>

#include "VexSession.h"

namespace {

constexpr const char* kTitle = "EDSA";

// Runs already told of: a window session and its tour each watch the same runs, and a failure is
// told once.
std::set<int>& ToldFailures() {
  static std::set<int> told;
  return told;
}

// What the program said, without the program's name it starts with.
std::string Said(const std::string& program, const std::string& text) {
  std::string trimmed = text.rfind(program + ": ", 0) == 0 ? text.substr(program.size() + 2) : text;
  while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r')) trimmed.pop_back();
  return trimmed.empty() ? "(it said nothing on standard error)" : trimmed;
}

}  // namespace

ProgramRuns::ProgramRuns() {
  observer_ = VexAddProcessObserver([this](const VexProcessStart& start) {
    ToldFailures().erase(start.pid);
    running_.push_back({start.pid, start.program});
  });
}

ProgramRuns::~ProgramRuns() { VexRemoveProcessObserver(observer_); }

std::string ProgramRuns::FailureText(const VexProcessEnd& end) {
  std::string name = std::filesystem::path(end.program).filename().string();
  return name + " failed (exit status " + std::to_string(end.exitStatus) + "): " + Said(name, end.errorOutput);
}

void ProgramRuns::AwaitEnds(std::chrono::milliseconds bound) {
  Collect(std::chrono::steady_clock::now() + bound, true);
}

void ProgramRuns::ReportEnded() { Collect(std::chrono::steady_clock::now(), false); }

void ProgramRuns::Collect(std::chrono::steady_clock::time_point deadline, bool tellStillRunning) {
  if (collecting_) return;
  collecting_ = true;
  std::vector<Run> started;
  started.swap(running_);
  for (const Run& run : started) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    auto end = VexWaitForProcessEnd(run.pid, std::max(left, std::chrono::milliseconds(0)));
    if (!end) {
      running_.push_back(run);  // waited for again later
      if (!tellStillRunning) continue;
      std::string name = std::filesystem::path(run.program).filename().string();
      VexSession::GetSession().ShowMessage(kTitle, VexUnicodeString(name + " is still running; its results may not be ready"), 2);
    } else if (end->exitStatus != 0 && ToldFailures().insert(end->pid).second) {
      VexSession::GetSession().ShowMessage(kTitle, VexUnicodeString(FailureText(*end)), 2);
    }
  }
  collecting_ = false;
}
