#pragma once
// Starting programs. Programs are started directly with an argument vector (posix_spawn), never
// through a shell, so arguments with blanks, quotes or semicolons reach the program unchanged.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

/// Starts `program` with the NULL-terminated argument vector `argv` (argv[0] included).
/// `mode` 0 waits for the program and sets `*status` to its exit status; mode 1 returns at once
/// and the child is reaped in the background when it ends (it never lingers as a zombie); its
/// standard error is collected and, with its exit status, kept for VexWaitForProcessEnd.
/// `*pid` receives the process identifier. Returns 0. A program that cannot be started raises a
/// VexInputError (severity 2) naming it.
int VexStartProcess(const char* program, char** argv, int mode, int* pid, int* status);

/// What the host learns of each program started.
struct VexProcessStart {
  std::string program;
  std::vector<std::string> arguments;  // argv[0] first
  int pid = 0;
};

/// Calls `observer` after every successful start (the host program reports EDSA runs this way).
/// Returns a number for VexRemoveProcessObserver.
int VexAddProcessObserver(std::function<void(const VexProcessStart&)> observer);
void VexRemoveProcessObserver(int id);

/// How a program started in mode 1 ended.
struct VexProcessEnd {
  int pid = 0;
  std::string program;
  int exitStatus = 0;       ///< 128 + the signal number when a signal ended it
  std::string errorOutput;  ///< what it wrote on standard error, its first kMaxErrorOutput bytes
  static constexpr std::size_t kMaxErrorOutput = 4096;
};

/// Waits at most `timeout` for the program `pid`, started in mode 1, to end and tells how it
/// ended. Nothing when it is still running at the bound, or when no such program was started. The
/// most recent ends are kept (asked again, the answer is the same); older ones are dropped.
std::optional<VexProcessEnd> VexWaitForProcessEnd(int pid, std::chrono::milliseconds timeout);
