#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisError.h"

#include "TestFolder.h"
#include "WireSizing.h"

using namespace voltaria::analysis;

namespace {

WireSizingJob Feeder(double kw, double pf, double lengthM) {
  WireSizingJob job;
  job.voltageV = 480;
  job.loadKw = kw;
  job.powerFactor = pf;
  job.lengthM = lengthM;
  return job;
}

}  // namespace

// 75 kW at PF 0.86 on 480 V, 20 m:
//   I = 75000 / (sqrt(3) 480 0.86) = 104.90 A; x 1.25 = 131.12 A -> 1 AWG (130 A) is short,
//   1/0 (150 A) carries it. Drop with 1/0 (0.3937 + j 0.1444 ohm/km, sin = 0.5103):
//   sqrt(3) 104.90 0.020 (0.3937 0.86 + 0.1444 0.5103) = 1.498 V = 0.312 % -> ampacity decides.
TEST(WireSizingTest, AShortFeederIsSizedByItsCurrent) {
  WireSizingResult result = SizeWire(Feeder(75, 0.86, 20));
  EXPECT_NEAR(result.loadCurrentA, 75000 / (std::sqrt(3.0) * 480 * 0.86), 1e-9);
  EXPECT_NEAR(result.requiredAmpacityA, 131.12, 0.01);
  EXPECT_EQ(result.chosen.size, "1/0");
  EXPECT_FALSE(result.limitedByVoltageDrop);
  EXPECT_NEAR(result.voltageDropPercent, 0.312, 0.001);
}

// 30 kW at PF 0.90 on 480 V, 150 m, 3 % allowed:
//   I = 30000 / (sqrt(3) 480 0.9) = 40.09 A; x 1.25 = 50.12 A -> 6 AWG (65 A) by current.
//   6 AWG:  sqrt(3) 40.09 0.150 (1.6076 0.9 + 0.1673 0.4359) = 15.83 V = 3.30 %  too much
//   4 AWG:  sqrt(3) 40.09 0.150 (1.0171 0.9 + 0.1575 0.4359) = 10.25 V = 2.14 %  -> chosen
TEST(WireSizingTest, ALongFeederIsSizedByItsVoltageDrop) {
  WireSizingResult result = SizeWire(Feeder(30, 0.9, 150));
  EXPECT_EQ(result.byAmpacity.size, "6AWG");
  EXPECT_NEAR(VoltageDropPercent(Feeder(30, 0.9, 150), result.byAmpacity, result.loadCurrentA), 3.298, 0.002);
  EXPECT_EQ(result.chosen.size, "4AWG");
  EXPECT_TRUE(result.limitedByVoltageDrop);
  EXPECT_NEAR(result.voltageDropPercent, 2.136, 0.002);
}

// At 40 degC the 75 degC table's ampacities fall by sqrt((75 - 40) / (75 - 30)) = 0.8819: the
// 131.12 A of the short feeder then need 148.7 A of table ampacity -> still 1/0 (150 A).
TEST(WireSizingTest, AWarmAmbientDeratesTheTable) {
  WireSizingJob job = Feeder(75, 0.86, 20);
  job.ambientC = 40;
  WireSizingResult result = SizeWire(job);
  EXPECT_NEAR(result.ambientFactor, std::sqrt(35.0 / 45.0), 1e-12);
  EXPECT_EQ(result.chosen.size, "1/0");
  job.ambientC = 45;  // factor 0.8165: 1/0 gives 122.5 A, 2/0 (175 A) 142.9 A
  EXPECT_EQ(SizeWire(job).chosen.size, "2/0");
}

TEST(WireSizingTest, ReadsTheJobFileAndRefusesWhatItCannotSize) {
  TestFolder folder;
  std::string job = folder.Write("feed.wsw", "EDSA-WIRESIZE 1\nFrom=A\nTo=B\nLengthM=150\nVoltage=480\nLoadKW=30\nPowerFactor=0.9\n").string();
  EXPECT_EQ(RunWireSizing(job), (folder / "feed.wsr").string());
  EXPECT_NE(folder.Read("feed.wsr").find("Chosen size: 4AWG copper, voltage drop 2.14 % (limit 3 %), limited by voltage drop"),
            std::string::npos)
      << folder.Read("feed.wsr");

  struct Case {
    const char* name;
    const char* text;
  } refused[] = {
      {"unknown key", "EDSA-WIRESIZE 1\nLengthM=10\nVoltage=480\nLoadKW=10\nInstallation=Tray\n"},
      {"no load", "EDSA-WIRESIZE 1\nLengthM=10\nVoltage=480\n"},
      {"too much for one set", "EDSA-WIRESIZE 1\nLengthM=10\nVoltage=480\nLoadKW=900\n"},
      {"not a job", "LengthM=10\n"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.name);
    EXPECT_THROW(RunWireSizing(folder.Write("bad.wsw", c.text).string()), AnalysisError);
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.wsr"));
  }
}
