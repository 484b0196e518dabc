#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "EdsaProgram.h"
#include "RadialPlant.h"
#include "TestFolder.h"

using namespace voltaria::analysis;

namespace {

constexpr const char* kEarlierText = "# an earlier analysis\n[LV]\nVoltage = 0.99 pu\n";
constexpr const char* kEarlierColors = "LV 0 160 0\n";

struct ProgramRun {
  int status;
  std::string errors;
};

ProgramRun RunAnalysis(const std::string& program, const std::vector<std::string>& arguments) {
  std::ostringstream errors;
  int status = RunEdsaProgram(program, arguments, errors);
  return {status, errors.str()};
}

}  // namespace

TEST(EdsaProgramTest, TheLoadFlowWritesTextAndColoursBesideTheMasterFile) {
  TestFolder folder;
  std::string master = folder.Write("plant.mas", RadialPlantMaster("Load=L1 Bus=FAR kW=180 kvar=90\n")).string();
  ProgramRun run = RunAnalysis("aclfmain.exe", {master});
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  std::string text = folder.Read("plant.txr");
  EXPECT_EQ(text.rfind("# AC load flow (three-phase), ", 0), 0u) << text;
  for (const char* section : {"[HV]\n", "[LV]\n", "[FAR]\n", "[HV->LV]\n", "[LV->FAR]\n"}) {
    EXPECT_NE(text.find(section), std::string::npos) << section;
  }
  EXPECT_NE(text.find("Load = 180.0 kW + j 90.0 kvar"), std::string::npos) << text;
  // 180 kW + j 90 kvar at about 470 V is about 247 A, on a 255 A cable: amber.
  EXPECT_NE(folder.Read("plant.clr").find("LV->FAR 230 160 0\n"), std::string::npos) << folder.Read("plant.clr");
}

TEST(EdsaProgramTest, EachNetworkAnalysisNamesItselfFirst) {
  TestFolder folder;
  std::string master =
      folder.Write("plant.mas", RadialPlantMaster("Motor=PUMP Bus=FAR kW=75\nMotor=FAN Bus=LV kW=22\n")).string();
  struct Case {
    const char* program;
    const char* firstLine;
  } cases[] = {
      {"scac3p.exe", "# Three-phase short circuit"},
      {"mstrmain.exe", "# Motor starting of PUMP (the largest motor) at FAR, "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun run = RunAnalysis(c.program, {master});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(folder.Read("plant.txr").rfind(c.firstLine, 0), 0u) << folder.Read("plant.txr");
  }
  // A bus without a rated short-circuit current is grey; LV's 35 kA rating against 29.6 kA of
  // the utility and transformer plus both motors is above 80 %: amber.
  RunAnalysis("scac3p.exe", {master});
  EXPECT_NE(folder.Read("plant.clr").find("FAR 128 128 128\n"), std::string::npos);
  EXPECT_NE(folder.Read("plant.clr").find("LV 230 160 0\n"), std::string::npos) << folder.Read("plant.txr");
}

TEST(EdsaProgramTest, RefusalsWriteNothingAndLeaveEarlierResults) {
  struct Case {
    const char* name;
    const char* program;
    std::string master;  // empty: no master file at all
    const char* reason;
  } cases[] = {
      {"missing master file", "aclfmain.exe", "", "cannot read the master file"},
      {"not a master file", "aclfmain.exe", "Node=LV\n", "is not an EDSA master file"},
      {"newer master file", "aclfmain.exe", "EDSA-MASTER 3\n", "is newer than this program reads"},
      {"isolated bus", "aclfmain.exe", RadialPlantMaster("Bus=LONELY kV=0.48\n"), "bus LONELY is isolated"},
      {"no source", "scac3p.exe",
       "EDSA-MASTER 2\nNetworkType=3P\nBus=A kV=0.48\nLoad=L Bus=B kW=5\nCable=A,B Type=2AWG\nBranchLength=A,B,10,MT\n",
       "has no source"},
      {"diverging load flow", "aclfmain.exe", RadialPlantMaster("Load=HUGE Bus=FAR kW=90000\n"), "load flow"},
      {"cable without length", "aclfmain.exe", RadialPlantMaster("Bus=X kV=0.48\nCable=FAR,X Type=2AWG\n"),
       "cable FAR->X has no length"},
      {"branch without data", "aclfmain.exe", RadialPlantMaster("Branch=FAR,LV2\n"), "branch FAR->LV2 has no data"},
      {"unknown cable type", "aclfmain.exe", RadialPlantMaster("Bus=X kV=0.48\nCable=FAR,X Type=7/0\nBranchLength=FAR,X,5,MT\n"),
       "unknown cable type 7/0"},
      {"DC master to the AC load flow", "aclfmain.exe", "EDSA-MASTER 2\nNetworkType=DC\n", "needs a 3P network"},
      {"harmonics", "harmmain.exe", RadialPlantMaster(""), "harmonic analysis is not computed here"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    folder.Write("plant.txr", kEarlierText);
    folder.Write("plant.clr", kEarlierColors);
    if (!c.master.empty()) folder.Write("plant.mas", c.master);
    ProgramRun run = RunAnalysis(c.program, {(folder / "plant.mas").string()});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_EQ(folder.Read("plant.txr"), kEarlierText);
    EXPECT_EQ(folder.Read("plant.clr"), kEarlierColors);
  }
}

TEST(EdsaProgramTest, WrongArgumentsAreAUsageError) {
  EXPECT_EQ(RunAnalysis("cablpull.exe", {"/tmp/x.mas", "/mode", "3"}).status, kExitUsage);
  EXPECT_EQ(RunAnalysis("aclfmain.exe", {}).status, kExitUsage);
  EXPECT_EQ(RunAnalysis("cablpull.exe", {"/tmp/x.mas", "/mode", "many", "/job", "j.cpd"}).status, kExitUsage);
}
