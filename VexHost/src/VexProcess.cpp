#include "VexProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
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

// Ends of programs started in mode 1, the most recent kKept of them.
struct Ends {
  static constexpr std::size_t kKept = 256;
  std::mutex mutex;
  std::condition_variable changed;
  std::set<int> running;
  std::map<int, VexProcessEnd> ended;
  std::deque<int> order;  // oldest first, to drop the old ones
};

Ends& TheEnds() {
  static Ends* ends = new Ends;  // waiter threads may outlive static destruction
  return *ends;
}

void RecordEnd(VexProcessEnd end) {
  Ends& ends = TheEnds();
  std::lock_guard lock(ends.mutex);
  ends.running.erase(end.pid);
  ends.order.push_back(end.pid);
  ends.ended[end.pid] = std::move(end);
  while (ends.order.size() > Ends::kKept) {
    ends.ended.erase(ends.order.front());
    ends.order.pop_front();
  }
  ends.changed.notify_all();
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[1024];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    std::size_t room = VexProcessEnd::kMaxErrorOutput - std::min(text.size(), VexProcessEnd::kMaxErrorOutput);
    text.append(buffer, std::min(room, static_cast<std::size_t>(got)));  // read on, so the child never blocks
  }
  ::close(fd);
  return text;
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

  // In mode 1 the child's standard error goes to a pipe that its waiter reads.
  int errorPipe[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  if (mode != 0 && ::pipe2(errorPipe, O_CLOEXEC) == 0) {
    ::posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  }
  pid_t child = 0;
  int error = std::strchr(program, '/')
                  ? ::posix_spawn(&child, program, &actions, nullptr, arguments, environ)
                  : ::posix_spawnp(&child, program, &actions, nullptr, arguments, environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (errorPipe[1] >= 0) ::close(errorPipe[1]);
  if (error != 0) {
    if (errorPipe[0] >= 0) ::close(errorPipe[0]);
    RaiseCannotStart(program, error);
  }
  if (mode != 0) {
    std::lock_guard lock(TheEnds().mutex);
    TheEnds().running.insert(child);
    TheEnds().ended.erase(child);  // a reused process identifier starts afresh
  }
  if (pid) *pid = child;
  Notify(program, arguments, child);

  if (mode == 0) {
    int exitStatus = WaitFor(child);
    if (status) *status = exitStatus;
  } else {
    // One small waiter per child: it reads the child's standard error to its end, then reaps the
    // child and records how it ended.
    std::thread([child, errorFd = errorPipe[0], name = std::string(program)] {
      std::string errorOutput = errorFd >= 0 ? ReadAll(errorFd) : std::string();
      RecordEnd({child, name, WaitFor(child), std::move(errorOutput)});
    }).detach();
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

std::optional<VexProcessEnd> VexWaitForProcessEnd(int pid, std::chrono::milliseconds timeout) {
  Ends& ends = TheEnds();
  std::unique_lock lock(ends.mutex);
  ends.changed.wait_for(lock, timeout, [&] { return !ends.running.contains(pid); });
  auto found = ends.ended.find(pid);
  if (found == ends.ended.end()) return std::nullopt;
  return found->second;
}
