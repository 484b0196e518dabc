#include "EdsaRunLog.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

std::vector<EdsaRun> ReadRuns(const std::filesystem::path& log) {
  std::vector<EdsaRun> runs;
  std::ifstream in(log);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream fieldStream(line);
    for (std::string field; std::getline(fieldStream, field, '\t');) fields.push_back(field);
    if (fields.size() < 2) continue;
    // The last field is the time of the run.
    runs.push_back({fields.front(), {fields.begin() + 1, fields.end() - 1}});
  }
  return runs;
}

}  // namespace

std::vector<EdsaRun> WaitForEdsaRuns(const std::filesystem::path& log, std::size_t count) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::vector<EdsaRun> runs = ReadRuns(log);
  while (runs.size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    runs = ReadRuns(log);
  }
  return runs;
}
