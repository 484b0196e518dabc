#pragma once
// The EDSA programs a session started, and how they ended. Programs start without waiting; the
// command language then waits for them, up to a bound, before it goes on, so the next command
// reads finished results. A program that failed (non-zero status) is shown to the person as a
// warning in the session's messages, with what it said on standard error.

#include <chrono>
#include <string>
#include <vector>

#include "VexProcess.h"

class ProgramRuns {
 public:
  static constexpr std::chrono::seconds kWaitBound{30};

  ProgramRuns();
  ~ProgramRuns();
  ProgramRuns(const ProgramRuns&) = delete;
  ProgramRuns& operator=(const ProgramRuns&) = delete;

  /// Waits for every program started and not yet ended, `bound` in all; shows each failure, and
  /// each program still running at the bound, as a message of the session.
  void AwaitEnds(std::chrono::milliseconds bound = kWaitBound);
  /// Shows the failures of the programs that have ended by now, without waiting (a window
  /// session calls it from time to time).
  void ReportEnded();

  /// The message that tells of a failed run.
  static std::string FailureText(const VexProcessEnd& end);

 private:
  int observer_ = 0;
  struct Run {
    int pid;
    std::string program;
  };
  /// Waits for each running program until `deadline`; shows failures, and the programs still
  /// running when `tellStillRunning`.
  void Collect(std::chrono::steady_clock::time_point deadline, bool tellStillRunning);

  std::vector<Run> running_;
  bool collecting_ = false;  // a message shown while collecting may let the window call again
};
