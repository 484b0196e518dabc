#pragma once
// What every harness needs: its input as a file on disk (the readers under test read files, and
// so must meet the input the way they meet a user's file), a private folder for it, and a way to
// keep the host's reports on standard error from drowning the fuzzer's own output.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

/// The harness's own folder, made on first use and removed when the process ends normally.
const std::filesystem::path& FuzzFolder();

/// Writes `size` bytes of `data` to `name` in FuzzFolder(), replacing it; returns the path.
std::filesystem::path WriteFuzzInput(const std::string& name, const std::uint8_t* data,
                                     std::size_t size);

/// The whole content of a file (empty when it cannot be read).
std::string ReadWholeFile(const std::filesystem::path& path);

/// A finding the sanitizers cannot see (a broken promise of the code under test): reported and
/// turned into a crash, so that the fuzzer keeps the input.
[[noreturn]] void FuzzFinding(const char* what);

/// Silences std::cerr for its lifetime; the sanitizers write to the descriptor, not the stream.
class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  std::streambuf* saved_;
};
