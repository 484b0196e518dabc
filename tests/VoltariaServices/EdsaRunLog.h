#pragma once
// Reading what the stand-in EDSA programs recorded in "edsa-runs.log".

#include <filesystem>
#include <string>
#include <vector>

/// One recorded run: the program's file name and its arguments after its own path.
struct EdsaRun {
  std::string program;
  std::vector<std::string> arguments;
};

/// Waits (up to 10 seconds: the programs are started without waiting) until `log` holds at least
/// `count` runs, and returns the runs it holds.
std::vector<EdsaRun> WaitForEdsaRuns(const std::filesystem::path& log, std::size_t count = 1);
