#include "VexProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include "VexError.h"

extern char** environ;

namespace {

struct Observers {
  std::mutex mutex;
  int nextId = 1;
  std::map<int, std::function<void(const VexProcessStart&)>> byId;
};

Observers& TheObservers() {
  static Observers observers;
  return observers;
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

[[noreturn]] void RaiseCannotStart(const char* program, int error) {
  throw VexInputError(2, "ProgramStartFailed", kVexHostCatalog,
                      {VexUnicodeString(program ? program : ""),
                       VexUnicodeString(std::strerror(error))});
}

void Notify(const char* program, char** argv, pid_t pid) {
  VexProcessStart start;
  start.program = program;
  for (char** a = argv; a && *a; ++a) start.arguments.emplace_back(*a);
  start.pid = pid;
  std::map<int, std::function<void(const VexProcessStart&)>> observers;
  {
    std::lock_guard lock(TheObservers().mutex);
    observers = TheObservers().byId;
  }
  for (auto& [id, observer] : observers) observer(start);
}

}  // namespace

int VexStartProcess(const char* program, char** argv, int mode, int* pid, int* status) {
  if (!program || !*program) RaiseCannotStart(program, ENOENT);
  char* defaultArgv[] = {const_cast<char*>(program), nullptr};
  char** arguments = argv ? argv : defaultArgv;

  pid_t child = 0;
  int error = std::strchr(program, '/')
                  ? ::posix_spawn(&child, program, nullptr, nullptr, arguments, environ)
                  : ::posix_spawnp(&child, program, nullptr, nullptr, arguments, environ);
  if (error != 0) RaiseCannotStart(program, error);
  if (pid) *pid = child;
  Notify(program, arguments, child);

  if (mode == 0) {
    int exitStatus = WaitFor(child);
    if (status) *status = exitStatus;
  } else {
    // One small waiter per child: it sleeps in waitpid and reaps the child the moment it ends.
    std::thread([child] { WaitFor(child); }).detach();
    if (status) *status = 0;
  }
  return 0;
}

int VexAddProcessObserver(std::function<void(const VexProcessStart&)> observer) {
  std::lock_guard lock(TheObservers().mutex);
  int id = TheObservers().nextId++;
  TheObservers().byId.emplace(id, std::move(observer));
  return id;
}

void VexRemoveProcessObserver(int id) {
  std::lock_guard lock(TheObservers().mutex);
  TheObservers().byId.erase(id);
}
