#include <gtest/gtest.h>

#include <filesystem>

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
