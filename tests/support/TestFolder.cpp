#include "TestFolder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

TestFolder::TestFolder() {
  std::string pattern = (fs::temp_directory_path() / "voltaria-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TestFolder::~TestFolder() {
  std::error_code error;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

fs::path TestFolder::Write(const std::string& name, const std::string& content) const {
  fs::path file = path_ / name;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

fs::path TestFolder::MakeFifo(const std::string& name) const {
  fs::path fifo = path_ / name;
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return fifo;
}

bool ReturnsWithoutWaitingOn(const fs::path& fifo, const std::function<void()>& action) {
  auto done = std::async(std::launch::async, action);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
    done.get();
    return true;
  }
  // A reader is waiting in open(), so a writer's non-blocking open succeeds; closing it gives the
  // reader its end of file.
  int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  if (writer >= 0) ::close(writer);
  done.wait();
  return false;
}

std::string TestFolder::Read(const std::string& name) const { return ReadFileText(path_ / name); }

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (old_) {
    ::setenv(name_.c_str(), old_->c_str(), 1);
  } else {
    ::unsetenv(name_.c_str());
  }
}

fs::path TestProgram(const std::string& name) {
  const char* bin = std::getenv("VOLTARIA_TEST_BIN");
  return fs::path(bin ? bin : VOLTARIA_TEST_BIN_DIR) / name;
}

ScopedCurrentFolder::ScopedCurrentFolder(const fs::path& folder) : previous_(fs::current_path()) {
  fs::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  std::error_code error;
  fs::current_path(previous_, error);
}

ScopedFileSizeLimit::ScopedFileSizeLimit(rlim_t bytes) {
  ::getrlimit(RLIMIT_FSIZE, &saved_);
  oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);  // ignored signals stay ignored in started programs
  const rlimit limit{bytes, saved_.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &saved_);
  ::signal(SIGXFSZ, oldHandler_);
}

int RunProgram(const fs::path& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, std::string* output, bool withErrors) {
  std::vector<std::string> argvStrings{program.string()};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argvStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
  envStrings.insert(envStrings.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  if (withErrors) posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  pid_t pid = 0;
  int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
  ::close(pipeFds[0]);
  if (error != 0) return -1;
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadFileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
