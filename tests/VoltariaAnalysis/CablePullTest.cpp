#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisError.h"

#include "CablePull.h"
#include "TestFolder.h"

using namespace voltaria::analysis;

namespace {

// A route of a 10 m level run, a 90 degree bend, a 5 m run rising 3 m (sin 0.6, cos 0.8), a 45
// degree bend and a 20 m level run, all bends of 0.6 m radius. The cable weighs 3 kg/m
// (w = 29.41995 N/m), friction 0.4, no back tension at the feed.
constexpr const char* kJob = R"(EDSA-CABLEPULL 2
# hand-calculation route
CableDiameter=40
CableWeight=3
FrictionCoefficient=0.4
TotalLength=35000
Runs=3
Bends=2
RUN 1 10000.000 0.000 C1
BEND 1 90.000 600.000 C2
RUN 2 5000.000 3000.000 C2
BEND 2 45.000 600.000 C3
RUN 3 20000.000 0.000 C3
)";

// Fed at C1 (uphill on run 2):
//   run 1   T = 0 + w 10 (0.4)                      = 117.68 N
//   bend 1  T = 117.68 e^(0.4 pi/2) = x 1.87446     = 220.59 N, SWP = T / 0.6 = 367.6 N/m
//   run 2   T = 220.59 + w 5 (0.4 * 0.8 + 0.6)      = 355.92 N
//   bend 2  T = 355.92 e^(0.4 pi/4) = x 1.36911     = 487.29 N, SWP = 812.2 N/m
//   run 3   T = 487.29 + w 20 (0.4)                 = 722.65 N
// Fed at C3 (downhill on run 2):
//   run 3   235.36 N; bend 2 322.23 N (SWP 537.0); run 2 + w 5 (0.32 - 0.6) = 281.04 N;
//   bend 1  526.80 N (SWP 878.0); run 1 + 117.68    = 644.48 N  -> the lower pull
struct Expected {
  bool reversed;
  double tensionsN[5];
  double finalSidewallNPerM;
};
constexpr Expected kHandCalculation[] = {
    {false, {117.68, 220.59, 355.92, 487.29, 722.65}, 812.2},
    {true, {235.36, 322.23, 281.04, 526.80, 644.48}, 878.0},
};

}  // namespace

TEST(CablePullTest, TensionsMatchTheHandCalculationBothWays) {
  TestFolder folder;
  CablePullJob job = ReadCablePullJob(folder.Write("hand.cpd", kJob).string());
  for (const Expected& expected : kHandCalculation) {
    SCOPED_TRACE(expected.reversed ? "fed at C3" : "fed at C1");
    PullResult pull = PullAlong(job.route, job.cable, expected.reversed);
    ASSERT_EQ(pull.steps.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(pull.steps[i].tensionN, expected.tensionsN[i], 0.01) << "step " << i;
    EXPECT_NEAR(pull.maximumSidewallNPerM, expected.finalSidewallNPerM, 0.1);
    EXPECT_EQ(pull.fedAt, expected.reversed ? "C3" : "C1");
  }
}

TEST(CablePullTest, TheReportPrefersTheLowerPullAndTheDetailedOneListsEverySegment) {
  TestFolder folder;
  CablePullJob job = ReadCablePullJob(folder.Write("hand.cpd", kJob).string());
  std::string brief = CablePullReport(job, "hand.cpd", false, "T");
  EXPECT_NE(brief.find("Preferred: fed at C3, pulled at C1\n"), std::string::npos) << brief;
  EXPECT_NE(brief.find("maximum tension 723 N"), std::string::npos) << brief;
  EXPECT_EQ(brief.find("BEND C2"), std::string::npos) << brief;
  std::string detailed = CablePullReport(job, "hand.cpd", true, "T");
  EXPECT_NE(detailed.find("BEND C2: 90.0 deg, radius 0.600 m -> tension 527 N, sidewall pressure 878 N/m"),
            std::string::npos)
      << detailed;
}

TEST(CablePullTest, LimitsDecideThePreferredDirection) {
  TestFolder folder;
  // The upstream pull stays below 700 N of tension; so does neither here: at 650 N only the
  // reversed pull (644 N) keeps within the limit, at 600 N none does.
  CablePullJob job = ReadCablePullJob(folder.Write("hand.cpd", kJob).string());
  job.cable.allowableTensionN = 650;
  EXPECT_NE(CablePullReport(job, "j", false, "T").find("Preferred: fed at C3, pulled at C1\n"), std::string::npos);
  job.cable.allowableTensionN = 600;
  EXPECT_NE(CablePullReport(job, "j", false, "T").find("no direction keeps within the limits"), std::string::npos);
}

TEST(CablePullTest, ModesCompleteTheJobTakeTheSegmentsAndWriteTheReport) {
  TestFolder folder;
  // A job as the services write it before the route: version 1, the diameter only.
  std::string job = folder.Write("pull.cpd", "EDSA-CABLEPULL 1\n# by the services\nCableDiameter=41.2\nTotalLength=0.000\nRuns=0\nBends=0\n").string();
  RunCablePull(1, job);
  std::string completed = folder.Read("pull.cpd");
  EXPECT_NE(completed.find("FrictionCoefficient=0.500\n"), std::string::npos) << completed;
  // pi/4 * 0.0412^2 * 2500 kg/m3 = 3.333 kg/m
  EXPECT_NE(completed.find("CableWeight=3.333\n"), std::string::npos) << completed;
  EXPECT_THROW(RunCablePull(3, job), AnalysisError);  // no route yet

  folder.Write("pull.seg", "EDSA-SEGMENTS 1\nTotalLength=6000.000\nRuns=1\nBends=0\nRUN 1 6000.000 CD101\n");
  RunCablePull(2, job);
  EXPECT_NE(folder.Read("pull.cpd").find("RUN 1 6000.000 0.000 CD101\n"), std::string::npos) << folder.Read("pull.cpd");
  EXPECT_EQ(RunCablePull(4, job), (folder / "pull.cpr").string());
  EXPECT_NE(folder.Read("pull.cpr").find("Cable pull report (DETAILED) of pull.cpd"), std::string::npos);
}

TEST(CablePullTest, RefusesJobsItCannotRead) {
  TestFolder folder;
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"no header", "CableDiameter=40\n"},
      {"unknown key", "EDSA-CABLEPULL 2\nCableDiameter=40\nColour=red\n"},
      {"bad number", "EDSA-CABLEPULL 2\nCableDiameter=forty\n"},
      {"no diameter", "EDSA-CABLEPULL 2\nRUN 1 1000 0 C1\n"},
      {"rise longer than run", "EDSA-CABLEPULL 2\nCableDiameter=40\nRUN 1 1000 2000 C1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(ReadCablePullJob(folder.Write("bad.cpd", c.text).string()), AnalysisError);
  }
}
