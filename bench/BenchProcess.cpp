#include "BenchProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace bench {

namespace {

std::vector<long> ParseSizes(const std::string& text) {
  if (text == "all") {
    std::vector<long> sizes = kDefaultSizes;
    sizes.push_back(kLargeSize);
    return sizes;
  }
  std::vector<long> sizes;
  std::stringstream parts(text);
  for (std::string part; std::getline(parts, part, ',');) {
    std::size_t used = 0;
    long size = std::stol(part, &used);
    if (used != part.size() || size <= 0) throw std::invalid_argument("bad size " + part);
    sizes.push_back(size);
  }
  return sizes;
}

}  // namespace

std::vector<long> TakeSizes(int& argc, char** argv) {
  static const std::string kOption = "--sizes=";
  std::vector<long> sizes = kDefaultSizes;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument.rfind(kOption, 0) == 0) {
      sizes = ParseSizes(argument.substr(kOption.size()));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;
  return sizes;
}

ChildUsage RunChild(const std::vector<std::string>& arguments, const std::string& output) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!output.empty()) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed) throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(failed));
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) throw std::runtime_error("wait4 failed");
  }
  ChildUsage result;
  result.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.peakKilobytes = usage.ru_maxrss;
  auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
  result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  return result;
}

std::string SelfPath() {
  char path[4096];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length < 0) throw std::runtime_error("cannot find the program's own path");
  return std::string(path, static_cast<std::size_t>(length));
}

bool RunEachSizeApart(const std::vector<long>& sizes, int argc, char** argv) {
  if (sizes.size() == 1) return false;
  for (long size : sizes) {
    std::vector<std::string> arguments = {SelfPath(), "--sizes=" + std::to_string(size)};
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    std::fflush(stdout);
    ChildUsage child = RunChild(arguments);
    std::printf("size %ld: peak memory %.1f MB, exit status %d (%s)\n\n", size,
                static_cast<double>(child.peakKilobytes) / 1024.0, child.status, LoadAverage().c_str());
    std::fflush(stdout);
  }
  return true;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return "load average: " + one + ", " + five + ", " + fifteen;
}

}  // namespace bench
