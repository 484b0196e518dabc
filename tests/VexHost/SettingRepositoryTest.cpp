#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexFrmEditor.h"
#include "VexSettingRepository.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

class SettingRepositoryTest : public ::testing::Test {
 protected:
  void SetUp() override { VexSettingRepository::ForgetLoadedRepositories(); }
  void TearDown() override { VexSettingRepository::ForgetLoadedRepositories(); }

  VexSettingRepository* Open(const char* name = "EdsaProject") {
    return VexSettingRepository::GetRepository(name, 0, 1, nullptr);
  }
  std::string Tool(const std::vector<std::string>& args) {
    std::string output;
    int status = RunProgram(TestProgram("settings_tool"), args,
                            {"VEX_SETTINGS_DIR=" + folder.Path().string()}, &output);
    EXPECT_EQ(status, 0) << output;
    return output;
  }
  std::vector<fs::path> SetAsideFiles() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      if (entry.path().filename().string().find(".corrupt-") != std::string::npos) {
        found.push_back(entry.path());
      }
    }
    return found;
  }

  TestFolder folder;
  ScopedEnv settingsDir{"VEX_SETTINGS_DIR", folder.Path().string()};
};

}  // namespace

TEST_F(SettingRepositoryTest, MissingKeysReadZeroValues) {
  VexSettingRepository* repo = Open();
  int value = 7;
  EXPECT_EQ(repo->ReadSetting("PrevTab", &value, 1), 0);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(repo, Open()) << "one object per name per process";
  EXPECT_TRUE(repo->GetLoadReport().empty());
}

TEST_F(SettingRepositoryTest, ValuesSurviveAFreshProcessBothWays) {
  const std::string path = "/home/désirée/EDSA projects/plant \"A\"; v2/Büro.mas";
  Tool({"write", "EdsaProject", "chars", "FilePath1", path});
  Tool({"write", "EdsaProject", "int", "CUR_PROJ", "-1", "2147483647"});

  VexSettingRepository* repo = Open();
  char buffer[256] = {};
  EXPECT_EQ(repo->ReadSetting("FilePath1", buffer, static_cast<long>(path.size())),
            static_cast<long>(path.size()));
  EXPECT_EQ(std::string(buffer), path);
  int values[2] = {};
  EXPECT_EQ(repo->ReadSetting("CUR_PROJ", values, 2), 2);
  EXPECT_EQ(values[0], -1);
  EXPECT_EQ(values[1], 2147483647);
  EXPECT_EQ(repo->ReadSetting("CUR_PROJ", buffer, 10), 0) << "integers are not text";

  int tab = 3;
  repo->WriteSetting("PrevTab", &tab, 1, 0);
  ASSERT_EQ(repo->SaveRepository(), 0);
  EXPECT_EQ(Tool({"read", "EdsaProject", "int", "PrevTab", "1"}), "1 3\n");
  EXPECT_EQ(Tool({"read", "EdsaProject", "chars", "FilePath1", "200"}),
            std::to_string(path.size()) + " " + path + "\n");

  struct stat info {};
  ASSERT_EQ(::stat(repo->GetFilePath().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "settings hold paths: private to the user";
}

TEST_F(SettingRepositoryTest, HighestEntryNumberOfAPrefixHeldWrittenOrLoaded) {
  Tool({"write", "EdsaProject", "int", "PathLength7", "1"});
  VexSettingRepository* repo = Open();
  int value = 1;
  for (const char* key : {"PathLength2", "PathLength10", "PathLength010", "PathLengthX3",
                          "CBLPULL_L4", "NumberOfLines"}) {
    repo->WriteSetting(key, &value, 1, 0);
  }
  struct Case {
    const char* prefix;
    long highest;
  };
  const Case cases[] = {{"PathLength", 10}, {"PathLength0", 0}, {"PathLengthX", 3},
                        {"CBLPULL_L", 4},   {"CBLPULL_", 0},    {"NumberOfLines", 0},
                        {"", 0},            {"FilePath", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(repo->GetHighestEntryNumber(c.prefix), c.highest) << c.prefix;
  }
  ASSERT_EQ(repo->SaveRepository(), 0);
  VexSettingRepository::ForgetLoadedRepositories();
  EXPECT_EQ(Open()->GetHighestEntryNumber("PathLength"), 10) << "the same after a load";
}

// The folder's mode was once forced to 0700 at every save: a shared 1777 folder lost its sticky
// bit, and a regular file given by mistake became executable.
TEST_F(SettingRepositoryTest, SavingMakesAMissingFolderPrivateAndLeavesAnExistingOneAlone) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> prepare;  // null: the folder does not exist yet
    int saved;                                     // SaveRepository's answer
    fs::perms mode;                                // the folder's (or file's) mode afterwards
  };
  auto Folder = [](fs::perms mode) {
    return [mode](const fs::path& path) {
      fs::create_directory(path);
      fs::permissions(path, mode);
    };
  };
  const fs::perms shared = fs::perms::all | fs::perms::sticky_bit;
  const fs::perms open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                         fs::perms::others_read | fs::perms::others_exec;
  const fs::perms file = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  const Case cases[] = {
      {"missing", nullptr, 0, fs::perms::owner_all},
      {"shared and sticky", Folder(shared), 0, shared},
      {"readable by all", Folder(open), 0, open},
      {"a regular file",
       [&](const fs::path& path) {
         std::ofstream(path) << "notes";
         fs::permissions(path, file);
       },
       -1, file},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path settings = folder / c.name / "voltaria";
    fs::create_directories(settings.parent_path());
    if (c.prepare) c.prepare(settings);
    ScopedEnv where("VEX_SETTINGS_DIR", settings.string());
    VexSettingRepository::ForgetLoadedRepositories();
    VexSettingRepository* repo = Open();
    int tab = 2;
    repo->WriteSetting("PrevTab", &tab, 1, 0);
    EXPECT_EQ(repo->SaveRepository(), c.saved);
    EXPECT_EQ(fs::status(settings).permissions(), c.mode);
  }
}

TEST_F(SettingRepositoryTest, BadFilesAreSetAsideAndTheRepositoryOpensEmpty) {
  struct Case {
    const char* name;
    std::function<std::string(std::string)> spoil;  // saved bytes to bad bytes; null: a folder
  };
  const std::vector<Case> cases = {
      {"empty", [](std::string) { return std::string(); }},
      {"random bytes",
       [](std::string) {
         std::mt19937 random(42);
         std::string bytes(500, '\0');
         for (char& byte : bytes) byte = static_cast<char>(random());
         return bytes;
       }},
      {"truncated", [](std::string saved) { return saved.substr(0, saved.size() - 9); }},
      {"one byte changed", [](std::string saved) { return saved.replace(30, 1, "#"); }},
      {"a folder in its place", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder.Path());
    fs::create_directories(folder.Path());
    int tab = 4;
    Open()->WriteSetting("PrevTab", &tab, 1, 0);
    ASSERT_EQ(Open()->SaveRepository(), 0);
    VexSettingRepository::ForgetLoadedRepositories();
    const std::string file = Open()->GetFilePath().filename();
    VexSettingRepository::ForgetLoadedRepositories();
    if (c.spoil) {
      folder.Write(file, c.spoil(folder.Read(file)));
    } else {
      fs::remove(folder / file);
      fs::create_directory(folder / file);
    }

    VexSettingRepository* repo = Open();
    EXPECT_NE(repo->GetLoadReport().find("set aside"), std::string::npos) << repo->GetLoadReport();
    EXPECT_TRUE(repo->GetKeys().empty());
    EXPECT_EQ(SetAsideFiles().size(), 1u) << "the bad file stays on disk beside the new one";
    ASSERT_EQ(repo->SaveRepository(), 0) << "and the repository saves again";
  }
}

// Settings of a plant belong to the plant document at its place: a copy or a moved document opens
// settings of its own, and the host's own repositories stay at the top of the settings folder.
TEST_F(SettingRepositoryTest, RepositoriesKeptPerDocumentFollowTheCurrentDocument) {
  VexSettingRepository::KeepPerDocument("PlantNotes");
  TestFolder plants;
  auto open = [&](const std::string& name) {
    fs::create_directories((plants / name).parent_path());
    return VexDocument::Create(VexUnicodeString((plants / name).string()));
  };
  auto original = open("a/plant.vxd");
  auto namesake = open("b/plant.vxd");
  EXPECT_EQ(Open("PlantNotes"), nullptr) << "no current document, no plant settings";

  int value = 41;
  {
    VexFrmEditor editor(*original);
    editor.MakeCurrent();
    Open("PlantNotes")->WriteSetting("Tab", &value, 1, 0);
    ASSERT_EQ(Open("PlantNotes")->SaveRepository(), 0);
    EXPECT_EQ(Open("PlantNotes")->GetFilePath(),
              folder / VexSettingRepository::GetDocumentFolder(plants / "a/plant.vxd") / "PlantNotes.settings");
    Open("HostPreferences")->WriteSetting("Unit", &value, 1, 0);
    ASSERT_EQ(Open("HostPreferences")->SaveRepository(), 0);
    EXPECT_TRUE(fs::exists(folder / "HostPreferences.settings")) << "the host's own stay at the top";
  }
  original.reset();  // closed, so that the copy holds all of it
  fs::create_directories(plants / "c");
  ASSERT_TRUE(fs::copy_file(plants / "a/plant.vxd", plants / "c/plant.vxd"));
  auto copy = VexDocument::Open(VexUnicodeString((plants / "c/plant.vxd").string()));
  VexSettingRepository::ForgetLoadedRepositories();
  for (VexDocument* other : {namesake.get(), copy.get()}) {
    SCOPED_TRACE(other->GetPath().str());
    VexFrmEditor editor(*other);
    editor.MakeCurrent();
    EXPECT_TRUE(Open("PlantNotes")->GetKeys().empty()) << "another plant's settings were opened";
  }
  original = VexDocument::Open(VexUnicodeString((plants / "a/plant.vxd").string()));
  VexFrmEditor editor(*original);
  editor.MakeCurrent();
  int read = 0;
  EXPECT_EQ(Open("PlantNotes")->ReadSetting("Tab", &read, 1), 1);
  EXPECT_EQ(read, value);
}

TEST(DocumentSettingsFolderTest, OneFolderPerDocumentWhateverItsPathLooksLike) {
  TestFolder plants;
  // 200 characters of blanks, quotes, '#' and letters beyond ASCII.
  std::string awkward = "Ünïcødé \"plant\"  it's # ";
  while (awkward.size() < 200) awkward += "ø x";
  fs::create_directories(plants / awkward);
  fs::create_directories(plants / "a");
  fs::create_directory_symlink(plants / "a", plants / "link");
  const fs::path plant = plants / "a" / "plant.vxd";
  std::ofstream(plant) << "";
  const fs::path folder = VexSettingRepository::GetDocumentFolder(plant);
  {
    ScopedCurrentFolder inPlants(plants.Path());
    EXPECT_EQ(VexSettingRepository::GetDocumentFolder("a/plant.vxd"), folder);
    EXPECT_EQ(VexSettingRepository::GetDocumentFolder("a/../a/plant.vxd"), folder);
    EXPECT_EQ(VexSettingRepository::GetDocumentFolder("link/plant.vxd"), folder);
  }
  EXPECT_NE(VexSettingRepository::GetDocumentFolder(plants / "a" / "plant2.vxd"), folder);
  for (const fs::path& document : {plant, plants / awkward / "plänt \"1\".vxd"}) {
    const std::string name = VexSettingRepository::GetDocumentFolder(document).filename().string();
    EXPECT_LE(name.size(), 64u) << name;
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-"),
              std::string::npos)
        << name;
  }
}

// A saving process is killed at random moments; every time, the file must read back as one whole
// generation: the complete old or the complete new content.
TEST_F(SettingRepositoryTest, KilledSavesLeaveTheOldOrTheNewFileNeverAMix) {
  constexpr int kKills = 220;
  constexpr int kEntries = 40;
  std::mt19937 random(20261205);
  std::uniform_int_distribution<int> delayMicroseconds(200, 15000);
  std::string program = TestProgram("settings_tool").string();
  int lastGeneration = 0, killsWithFile = 0;
  fs::path file = folder / "Hammered.settings";
  fs::file_time_type lastSave{};
  auto WaitForNextSave = [&](fs::file_time_type& seen) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      std::error_code error;
      auto modified = fs::last_write_time(file, error);
      if (!error && modified != seen) {
        seen = modified;
        return true;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
  };

  for (int kill = 0; kill < kKills; ++kill) {
    std::string entries = std::to_string(kEntries);
    char* argv[] = {program.data(), const_cast<char*>("hammer"), const_cast<char*>("Hammered"),
                    entries.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
    // Start-up time varies a lot between builds (a sanitizer build needs ~150 ms), so the random
    // delay counts from the child's first save of this run, when it is inside its save loop.
    ASSERT_TRUE(WaitForNextSave(lastSave)) << "the child never saved";
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child must die by the kill, not end on its own";

    VexSettingRepository::ForgetLoadedRepositories();
    VexSettingRepository* repo = Open("Hammered");
    ASSERT_TRUE(repo->GetLoadReport().empty()) << "kill " << kill << ": " << repo->GetLoadReport();
    int generation = 0;
    ASSERT_EQ(repo->ReadSetting("Generation", &generation, 1), 1) << "kill " << kill;
    ++killsWithFile;
    EXPECT_GE(generation, lastGeneration) << "a saved generation never comes back older";
    for (int e = 0; e < kEntries; ++e) {
      std::string key = "Entry" + std::to_string(e);
      std::string expected = "generation " + std::to_string(generation) + " entry " +
                             std::to_string(e) + std::string(static_cast<std::size_t>(e % 7) * 40, 'x');
      std::string buffer(expected.size() + 10, '\0');
      long n = repo->ReadSetting(key.c_str(), buffer.data(), static_cast<long>(buffer.size()));
      ASSERT_EQ(buffer.substr(0, static_cast<std::size_t>(n)), expected) << "kill " << kill;
    }
    lastGeneration = generation;
  }
  std::cout << "[ figures  ] " << killsWithFile << " kills during saving, all whole; last generation "
            << lastGeneration << '\n';
}
