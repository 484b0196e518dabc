#pragma once
// Starting programs. Programs are started directly with an argument vector (posix_spawn), never
// through a shell, so arguments with blanks, quotes or semicolons reach the program unchanged.

#include <functional>
#include <string>
#include <vector>

/// Starts `program` with the NULL-terminated argument vector `argv` (argv[0] included).
/// `mode` 0 waits for the program and sets `*status` to its exit status; mode 1 returns at once
/// and the child is reaped in the background when it ends (it never lingers as a zombie).
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
