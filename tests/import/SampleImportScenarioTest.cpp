// The sample plant imported from its IFC model into a new plant document, then the tour's first
// steps on it, through the host program. The transcript must read as the reviewed one beside the
// script (regenerate with VOLTARIA_UPDATE_SCENARIOS=1 and read every difference).

#include <gtest/gtest.h>

#include "ReviewedTranscript.h"
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
  std::string transcript = WithPlaceholders(output + "[exit status " + std::to_string(status) + "]\n",
                                            {{work.root.string(), "<work>"},
                                             {VOLTARIA_EDSA_DIR, "<edsa>"},
                                             {VOLTARIA_IMPORT_SCENARIO_DIR, "<scenarios>"}});
  fs::path expected = fs::path(VOLTARIA_IMPORT_SCENARIO_DIR) / "sample_import.expected";
  EXPECT_EQ(transcript, ReviewedTranscript(expected, transcript));
}

}  // namespace
