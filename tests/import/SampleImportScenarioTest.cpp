// The sample plant imported from its IFC model into a new plant document, then the tour's first
// steps on it, through the host program. The transcript must read as the reviewed one beside the
// script (regenerate with VOLTARIA_UPDATE_SCENARIOS=1 and read every difference).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "TestFolder.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

TEST(SampleImportScenario, TheTourBeginsOnTheImportedSample) {
  TestFolder folder;
  WorkFolder work = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder.Path());
  fs::copy_file(fs::path(VOLTARIA_SAMPLE_PLANT) / "plant.ifc", work.root / "plant.ifc");
  fs::path script = fs::path(VOLTARIA_IMPORT_SCENARIO_DIR) / "sample_import.vscript";
  std::string output;
  int status = RunProgram(VOLTARIA_PROGRAM,
                          {"--new-plant", (work.root / "imported.vxd").string(), "--import",
                           (work.root / "plant.ifc").string(), "--settings", work.settings.string(), "--edsa",
                           VOLTARIA_EDSA_DIR, "--script", script.string()},
                          {}, &output, true);
  std::string transcript = output + "[exit status " + std::to_string(status) + "]\n";
  ReplaceAll(transcript, work.root.string(), "<work>");
  ReplaceAll(transcript, VOLTARIA_EDSA_DIR, "<edsa>");
  ReplaceAll(transcript, VOLTARIA_IMPORT_SCENARIO_DIR, "<scenarios>");
  transcript = std::regex_replace(transcript, std::regex("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ"), "<time>");

  fs::path expected = fs::path(VOLTARIA_IMPORT_SCENARIO_DIR) / "sample_import.expected";
  if (const char* update = std::getenv("VOLTARIA_UPDATE_SCENARIOS"); update && *update == '1') {
    std::ofstream(expected, std::ios::binary) << transcript;
  }
  EXPECT_EQ(transcript, ReadFileText(expected));
}

}  // namespace
