#include <gtest/gtest.h>

#include <filesystem>

#include "EdsaRunLog.h"
#include "TestFolder.h"
#include "VexGrdEdsaRunner.h"
#include "VexGrdUtilitiesInputErr.h"

namespace {

const std::filesystem::path kStandInFolder = VOLTARIA_EDSA_STANDIN_DIR;

class EdsaRunnerTest : public ::testing::Test {
 protected:
  void TearDown() override { VexGrdEdsaRunner::SetEdsaFolder(""); }
  TestFolder folder;
};

}  // namespace

TEST_F(EdsaRunnerTest, ExplicitFolderWinsOverTheVariableUntilCleared) {
  ScopedEnv variable(VexGrdEdsaRunner::kFolderVariable, "/from/variable");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/from/variable"));
  VexGrdEdsaRunner::SetEdsaFolder("/given/explicitly");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/given/explicitly"));
  VexGrdEdsaRunner::SetEdsaFolder("");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/from/variable"));
}

TEST_F(EdsaRunnerTest, StandInFolderHoldsEveryProgram) {
  VexGrdEdsaRunner::SetEdsaFolder(kStandInFolder.string().c_str());
  for (const char* program : VexGrdEdsaRunner::GetProgramFileNames()) {
    EXPECT_EQ(VexGrdEdsaRunner::FindProgram(program).str(), (kStandInFolder / program).string());
  }
  EXPECT_TRUE(VexGrdEdsaRunner::FindProgram("nosuch.exe").IsEmpty());
}

TEST_F(EdsaRunnerTest, StartsTheProgramWithItsArgumentVectorWithoutWaiting) {
  VexGrdEdsaRunner::SetEdsaFolder(kStandInFolder.string().c_str());
  auto master = folder.Write("plant one/net1.mas", "EDSA-MASTER 1\n");
  int pid = VexGrdEdsaRunner::Start(VexGrdEdsaRunner::kCablpull,
                                    {master.string().c_str(), "/mode", "2", "job; rm -rf x"});
  EXPECT_GT(pid, 0);

  auto runs = WaitForEdsaRuns(folder / "plant one/edsa-runs.log");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].program, "cablpull.exe");
  EXPECT_EQ(runs[0].arguments,
            (std::vector<std::string>{master.string(), "/mode", "2", "job; rm -rf x"}));
}

TEST_F(EdsaRunnerTest, MissingFolderOrProgramIsAnInputErrorNamingTheProgram) {
  struct Case {
    const char* name;
    std::string edsaFolder;
  };
  const Case cases[] = {
      {"no folder set", ""},
      {"folder missing", (folder / "no such folder").string()},
      {"program missing", folder.Path().string()},
  };
  ScopedEnv noVariable(VexGrdEdsaRunner::kFolderVariable, "");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    VexGrdEdsaRunner::SetEdsaFolder(c.edsaFolder.c_str());
    try {
      VexGrdEdsaRunner::Start(VexGrdEdsaRunner::kScac3p, {"x.mas"});
      ADD_FAILURE() << "no error raised";
    } catch (const VexGrdUtilitiesInputErr& error) {
      EXPECT_EQ(error.GetSeverity(), 2);
      EXPECT_NE(std::string(error.what()).find("scac3p.exe"), std::string::npos) << error.what();
      EXPECT_EQ(std::string(error.what()).find('['), std::string::npos)
          << "the catalog lacks the key: " << error.what();
    }
  }
}
