// Whole sessions through the host program: each script in this folder is played on a fresh copy
// of the sample, and the transcript must read exactly as the reviewed transcript beside it.
// The bundled tour (samples/tour.vscript) is the scenario "tour". A scenario "name.1.vscript", "name.2.vscript", ... is played as separate runs of the program on
// the same copy and settings folder, one after the other.
//
// After a deliberate change of behaviour or wording, regenerate the transcripts with
// VOLTARIA_UPDATE_SCENARIOS=1, then read every difference before committing them.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ReviewedTranscript.h"
#include "TestFolder.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

const fs::path kScenarios = VOLTARIA_SCENARIO_DIR;

// Scenario name -> its runs, in order.
std::map<std::string, std::vector<fs::path>> Scenarios() {
  std::map<std::string, std::vector<fs::path>> scenarios;
  for (const auto& entry : fs::directory_iterator(kScenarios)) {
    if (entry.path().extension() != ".vscript") continue;
    std::string stem = entry.path().stem().string();
    std::size_t dot = stem.find('.');
    scenarios[stem.substr(0, dot)].push_back(entry.path());
  }
  for (auto& [name, runs] : scenarios) std::sort(runs.begin(), runs.end());
  scenarios["tour"] = {VOLTARIA_TOUR_SCRIPT};  // the main job's tour, as a new user sees it
  return scenarios;
}

std::vector<std::string> ScenarioNames() {
  std::vector<std::string> names;
  for (const auto& [name, runs] : Scenarios()) names.push_back(name);
  return names;
}

class ScenarioTest : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(ScenarioTest, TranscriptReadsAsReviewed) {
  const std::vector<fs::path> runs = Scenarios().at(GetParam());
  TestFolder folder;
  WorkFolder work = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder.Path());
  std::string transcript;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    std::string output;
    int status = RunProgram(VOLTARIA_PROGRAM,
                            {"--plant", work.plant.string(), "--settings", work.settings.string(),
                             "--edsa", VOLTARIA_EDSA_DIR, "--script", runs[i].string()},
                            {}, &output, true);
    if (runs.size() > 1) transcript += "=== run " + std::to_string(i + 1) + " of the program ===\n";
    transcript += output + "[exit status " + std::to_string(status) + "]\n";
  }
  transcript = WithPlaceholders(transcript, {{work.root.string(), "<work>"},
                                             {VOLTARIA_EDSA_DIR, "<edsa>"},
                                             {kScenarios.string(), "<scenarios>"}});
  fs::path expected = kScenarios / (GetParam() + ".expected");
  EXPECT_EQ(transcript, ReviewedTranscript(expected, transcript))
      << "the transcript of " << GetParam() << " changed";
}

INSTANTIATE_TEST_SUITE_P(Sessions, ScenarioTest, ::testing::ValuesIn(ScenarioNames()),
                         [](const auto& info) { return info.param; });
