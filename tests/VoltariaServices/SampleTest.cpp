#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexGrdProject.h"
#include "VexTrace.h"

namespace {

const std::filesystem::path kSamples = VOLTARIA_SAMPLES_DIR;

}  // namespace

TEST(SampleTest, BuildsThePlantAndItsEdsaProjectFromTheTextSources) {
  TestFolder folder;
  ASSERT_EQ(RunProgram(TestProgram("make_sample"),
                       {(kSamples / "plant/plant.txt").string(), (kSamples / "plant/edsa").string(),
                        folder.Path().string()}),
            0);
  auto document = VexDocument::Open((folder / "plant.vxd").string().c_str());
  VexGrdProject project(document.get());
  EXPECT_EQ(document->GetElementCount(), 13);
  EXPECT_EQ(project.GetLstOfNodes()->Size(), 4);
  EXPECT_EQ(project.GetLstOfBranches()->Size(), 3);
  EXPECT_EQ(project.SearchForBranchId("BUS1", "BUS2")->GetLinkedComponents()->Size(), 3);
  EXPECT_EQ(project.GetMasterFilePath().str(), (folder / "edsa/plant.mas").string());
  EXPECT_EQ(project.GetNetworkType(), VexUnicodeString("3P"));

  std::string job = folder.Read("edsa/pull1.cpd");
  EXPECT_NE(job.find("\nTotalLength=13000.000\nRuns=3\nBends=2\n"), std::string::npos) << job;

  VexTraceCapture capture;
  project.AnalyzeTextAnnotation();
  project.AnalyzeColorAnnotation();
  EXPECT_TRUE(capture.Lines().empty()) << "the sample results are well formed";
  EXPECT_EQ(project.GetListOfNodesBranches(1).Size(), 5);
  EXPECT_EQ(project.GetListOfNodesBranches(2).Size(), 5);
}
