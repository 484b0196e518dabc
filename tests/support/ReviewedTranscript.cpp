#include "ReviewedTranscript.h"

#include <cstdlib>
#include <fstream>
#include <regex>

#include "TestFolder.h"

std::string WithPlaceholders(std::string transcript,
                             const std::vector<std::pair<std::string, std::string>>& places) {
  for (const auto& [from, to] : places) {
    if (from.empty()) continue;
    for (std::size_t at = transcript.find(from); at != std::string::npos;
         at = transcript.find(from, at + to.size())) {
      transcript.replace(at, from.size(), to);
    }
  }
  static const std::regex kTimeStamp("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ");
  return std::regex_replace(transcript, kTimeStamp, "<time>");
}

std::string ReviewedTranscript(const std::filesystem::path& expected, const std::string& transcript) {
  if (const char* update = std::getenv("VOLTARIA_UPDATE_SCENARIOS"); update && *update == '1') {
    std::ofstream(expected, std::ios::binary) << transcript;
  }
  return ReadFileText(expected);
}
