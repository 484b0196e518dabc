#pragma once
// Test isolation: a private temporary folder, and environment variables set for one test.

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  /// Writes `content` to `name` inside the folder (folders created as needed); returns the path.
  std::filesystem::path Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  /// Makes a FIFO `name` inside the folder that nobody writes to; returns the path.
  std::filesystem::path MakeFifo(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

/// Sets an environment variable for its lifetime, then restores the old value.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

/// Makes `folder` the current folder for its lifetime, then goes back to the previous one.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::filesystem::path& folder);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

/// While it lives, no file this process or a program it starts writes may grow beyond `bytes`, as
/// on a full disk: the write fails (EFBIG) instead of stopping the process.
class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes);
  ~ScopedFileSizeLimit();
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

/// The whole content of `file` (empty when it cannot be read).
std::string ReadFileText(const std::filesystem::path& file);

/// A program built beside the tests.
std::filesystem::path TestProgram(const std::string& name);

/// Runs a program with arguments (no shell) and extra environment entries "NAME=value";
/// returns its exit status, its standard output in `output` when given (with its standard error
/// mixed in when `withErrors` is true).
int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment = {}, std::string* output = nullptr,
               bool withErrors = false);

/// Runs `action`, which meets the FIFO `fifo`; true when it returns on its own within seconds.
/// When it waits on the FIFO instead, a writer opens and closes it so that the action ends, and
/// the answer is false.
bool ReturnsWithoutWaitingOn(const std::filesystem::path& fifo, const std::function<void()>& action);
