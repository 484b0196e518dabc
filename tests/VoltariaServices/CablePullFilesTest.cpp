#include <gtest/gtest.h>

#include "VexGrdCablePullFiles.h"

namespace {

std::vector<VexGrdRouteSegment> TwoRunsOneBend() {
  using Kind = VexGrdRouteSegment::Kind;
  return {{Kind::Run, 5000, 0, 0, "C1"},
          {Kind::Bend, 0, 89.99999, 300, "C2"},
          {Kind::Run, 2999.9996, 0, 0, "C2 east"}};
}

}  // namespace

TEST(CablePullFilesTest, SegmentFileListsCountsRunsAndBends) {
  EXPECT_EQ(VexGrdCablePullFiles::FormatSegmentFile(TwoRunsOneBend()),
            "EDSA-SEGMENTS 1\n"
            "# Cable route segments written by Voltaria.\n"
            "# Lengths, diameters and radii in millimetres, angles in degrees.\n"
            "# RUN <number> <length> <element>; BEND <number> <angle> <radius> <element>\n"
            "TotalLength=8000.000\nRuns=2\nBends=1\n"
            "RUN 1 5000.000 C1\nBEND 1 90.000 300.000 C2\nRUN 2 3000.000 C2 east\n");
}

TEST(CablePullFilesTest, JobFileCarriesTheDiameterAndTheSameSegments) {
  std::string job = VexGrdCablePullFiles::FormatJobFile(25.4, TwoRunsOneBend());
  EXPECT_EQ(job.rfind("EDSA-CABLEPULL 1\n", 0), 0u);
  EXPECT_NE(job.find("\nCableDiameter=25.400\nTotalLength=8000.000\nRuns=2\nBends=1\nRUN 1 "),
            std::string::npos)
      << job;
  std::string empty = VexGrdCablePullFiles::FormatJobFile(0, {});
  EXPECT_NE(empty.find("\nCableDiameter=0.000\nTotalLength=0.000\nRuns=0\nBends=0\n"),
            std::string::npos)
      << empty;
  EXPECT_EQ(empty.find("\nRUN "), std::string::npos);
}
