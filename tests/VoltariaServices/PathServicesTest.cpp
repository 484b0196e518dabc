#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "VexGrdPathServices.h"

TEST(PathServicesTest, SplitPathGivesDirectoryBaseNameAndExtension) {
  struct Case {
    const char* path;
    const char* directory;
    const char* baseName;
    const char* extension;
  };
  const Case cases[] = {
      {"/plant/edsa/net1.mas", "/plant/edsa/", "net1", ".mas"},
      {"net1.MAS", "", "net1", ".MAS"},
      {"/plant/noext", "/plant/", "noext", ""},
      {"/dotted.dir/file", "/dotted.dir/", "file", ""},
      {"/plant/.hidden", "/plant/", ".hidden", ""},
      {"/plant/job.tar.cpd", "/plant/", "job.tar", ".cpd"},
      {"/plant/", "/plant/", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    VexUnicodeString directory = "old", baseName = "old";
    VexUnicodeString extension = VexGrdPathServices::SplitPath(c.path, &directory, &baseName);
    EXPECT_EQ(directory, VexUnicodeString(c.directory)) << c.path;
    EXPECT_EQ(baseName, VexUnicodeString(c.baseName)) << c.path;
    EXPECT_EQ(extension, VexUnicodeString(c.extension)) << c.path;
  }
  EXPECT_EQ(VexGrdPathServices::SplitPath("/a/b.mds", nullptr, nullptr), VexUnicodeString(".mds"));
}

TEST(PathServicesTest, UserJobFileLocationIsARealFolder) {
  TestFolder folder;
  ScopedEnv dataHome("XDG_DATA_HOME", (folder / "data").string());
  EXPECT_EQ(VexGrdPathServices::GetUserJobFileLocation("").str(),
            (folder / "data/voltaria/jobs/").string());
  EXPECT_TRUE(std::filesystem::is_directory(folder / "data/voltaria/jobs"));

  std::string master = (folder / "edsa/plant.mas").string();
  EXPECT_EQ(VexGrdPathServices::GetUserJobFileLocation(master.c_str()).str(),
            (folder / "edsa/").string());
  EXPECT_TRUE(std::filesystem::is_directory(folder / "edsa"));

  ScopedEnv noDataHome("XDG_DATA_HOME", "");
  ScopedEnv home("HOME", (folder / "home").string());
  EXPECT_EQ(VexGrdPathServices::GetUserJobFileLocation("").str(),
            (folder / "home/.local/share/voltaria/jobs/").string());
}
