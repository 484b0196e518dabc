// The recent master files: the chooser, the persisted form in "EdsaProject" and the restore of
// the current master file when the command starts again.
#include <filesystem>
#include <limits>

#include "ProjectTabTest.h"
#include "VexDlgMultiList.h"
#include "VexSettingRepository.h"

namespace fs = std::filesystem;

namespace {

VexSettingRepository* Repository() {
  return VexSettingRepository::GetRepository("EdsaProject", 0, 1, nullptr);
}

bool IsProjectKey(const std::string& key) {
  for (const char* prefix : {"NumberOfLines", "PathLength", "FilePath", "CUR_PROJ"}) {
    if (key.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

/// Stores a recent list as an earlier run of the host would have: `count` lines announced, the
/// entries given ("" a zero length, which names nothing) and the current index.
void StoreRecentList(int count, std::vector<std::string> paths, int current) {
  VexSettingRepository* repository = Repository();
  repository->WriteSetting("NumberOfLines", &count, 1, 0);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    int length = static_cast<int>(paths[i].size());
    repository->WriteSetting(("PathLength" + number).c_str(), &length, 1, 0);
    if (length > 0) {
      repository->WriteSetting(("FilePath" + number).c_str(), paths[i].data(), length, 0);
    }
  }
  repository->WriteSetting("CUR_PROJ", &current, 1, 0);
  ASSERT_EQ(repository->SaveRepository(), 0);
  VexSettingRepository::ForgetLoadedRepositories();
}

}  // namespace

class RecentFilesTest : public ProjectTabTest {
 protected:
  /// Keys the master files in, in order; returns their paths.
  std::vector<std::string> KeyInAll(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
      paths.push_back(WriteMasterFile(name));
      KeyIn(paths.back());
    }
    return paths;
  }
  /// Closes the panel and records the keys the Project tab writes, in order.
  std::vector<std::string> CloseRecordingWrites() {
    std::vector<std::string> keys;
    Repository()->SetWriteObserver([&](const std::string& key) {
      if (IsProjectKey(key)) keys.push_back(key);
    });
    ClosePanel();
    Repository()->SetWriteObserver(nullptr);
    return keys;
  }
  /// What a new run of the host starts from: the settings on disk and a document whose master
  /// file is no longer current.
  void RestartAsANewProcess() {
    VexSettingRepository::ForgetLoadedRepositories();
    InEvent([&] { Project().SetMasterFilePath(""); });
    StartCommand();
  }
};

TEST_F(RecentFilesTest, SavingWritesEachEntryThenTheCurrentIndexThenTheCount) {
  StartCommand();
  EXPECT_EQ(CloseRecordingWrites(), std::vector<std::string>{"NumberOfLines"}) << "empty list";
  EXPECT_EQ(ReadSettingElsewhere("int", "NumberOfLines", 1), "1 0\n");

  StartCommand();
  std::vector<std::string> paths = KeyInAll({"a.mas", "b.mas", "c.mas"});
  KeyIn(paths[1]);
  EXPECT_EQ(CloseRecordingWrites(),
            (std::vector<std::string>{"PathLength1", "FilePath1", "PathLength2", "FilePath2",
                                      "PathLength3", "FilePath3", "CUR_PROJ", "NumberOfLines"}));
  EXPECT_EQ(ReadSettingElsewhere("int", "CUR_PROJ", 1), "1 2\n");
  EXPECT_EQ(ReadSettingElsewhere("int", "NumberOfLines", 1), "1 3\n");
  std::string length = std::to_string(paths[2].size());
  EXPECT_EQ(ReadSettingElsewhere("int", "PathLength3", 1), "1 " + length + "\n");
  EXPECT_EQ(ReadSettingElsewhere("chars", "FilePath3", static_cast<int>(paths[2].size())),
            length + " " + paths[2] + "\n");
}

TEST_F(RecentFilesTest, TheListSurvivesTheExitAndANewProcessAndRestoresTheCurrentFile) {
  StartCommand();
  std::vector<std::string> paths = KeyInAll({"a.mas", "b.mas"});
  ClosePanel();
  EXPECT_EQ(ReadSettingElsewhere("int", "CUR_PROJ", 1), "1 2\n") << "saved on disk";
  RestartAsANewProcess();
  EXPECT_EQ(RecentFiles(), paths);
  EXPECT_EQ(CurrentMaster(), paths[1]);
  EXPECT_EQ(Frame().GetCurrentIndex(), 2);
  EXPECT_EQ(EditorText(), "b.mas");
  EXPECT_EQ(ActionsSensitive(), 1);
  EXPECT_EQ(MessageCount(), 0);

  // Deleted since: reported at start, still listed, not current.
  ClosePanel();
  fs::remove(paths[1]);
  RestartAsANewProcess();
  EXPECT_EQ(LastMessage(), TabMessage(3, Text("GrdGUI_InvalidMasterFile")));
  EXPECT_EQ(ActionsSensitive(), 0);
  EXPECT_EQ(RecentFiles(), paths);
  EXPECT_EQ(CurrentMaster(), "");
}

// The recent and current master files are the plant's: a copy of the document elsewhere is another
// plant, and nothing of the first one's project becomes current in its session.
TEST_F(RecentFilesTest, AnotherPlantsMasterFilesAreNeverRestored) {
  StartCommand();
  KeyInAll({"a.mas"});
  ClosePanel();
  UseDocumentCopy(Folder() / "plant.vxd", "copy.vxd");
  VexSettingRepository::ForgetLoadedRepositories();
  StartCommand();
  EXPECT_TRUE(RecentFiles().empty());
  EXPECT_EQ(CurrentMaster(), "");
  EXPECT_EQ(EditorText(), "");
}

TEST_F(RecentFilesTest, StoredEntriesThatCannotBeReadAreSkippedInOrder) {
  std::string second = WriteMasterFile("second.mas");
  StoreRecentList(5, {PathOf("first.mas"), second, "", PathOf("fourth.mas")}, 2);
  StartCommand();
  EXPECT_EQ(RecentFiles(),
            (std::vector<std::string>{PathOf("first.mas"), second, PathOf("fourth.mas")}));
  EXPECT_EQ(CurrentMaster(), second);
}

// Damage that passes the checksum: a count of 2147483647 once kept the tab looping at start.
TEST_F(RecentFilesTest, AHugeStoredCountOrLengthCostsOnlyWhatIsStored) {
  const std::string first = WriteMasterFile("first.mas");
  StoreRecentList(std::numeric_limits<int>::max(), {first, PathOf("second.mas")}, 1);
  int hugeLength = std::numeric_limits<int>::max();
  Repository()->WriteSetting("PathLength2", &hugeLength, 1, 0);
  ASSERT_EQ(Repository()->SaveRepository(), 0);
  VexSettingRepository::ForgetLoadedRepositories();
  StartCommand();
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{first});
  EXPECT_EQ(CurrentMaster(), first);
  EXPECT_EQ(MessageCount(), 0) << "damaged entries are skipped silently";
}

TEST_F(RecentFilesTest, AStoredIndexOutsideTheListRestoresNothing) {
  for (int index : {0, 4}) {
    SCOPED_TRACE(index);
    StoreRecentList(1, {WriteMasterFile("a" + std::to_string(index) + ".mas")}, index);
    StartCommand();
    EXPECT_EQ(CurrentMaster(), "");
    EXPECT_EQ(ActionsSensitive(), 0);
    EXPECT_EQ(MessageCount(), 0);
    ClosePanel();
  }
}

TEST_F(RecentFilesTest, TheChooserOpensOnceCancelChangesNothingAndOkPicks) {
  StartCommand();
  std::vector<std::string> paths = KeyInAll({"a.mas", "b.mas"});
  Ui().Push("SelMRUFilesBtn");
  Ui().Push("SelMRUFilesBtn");
  EXPECT_EQ(OpenWindows("MRUFileChooser"), 1);
  auto& chooser = Ui().Find("MRUFileChooser");
  EXPECT_EQ(chooser.GetVisibility(), VexDialog::kShown);
  EXPECT_EQ(chooser.GetTitle(), Text("GrdGUI_ProjTab_MRUMasterFiles"));
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("MRUFileChooser/MultiLstOfFiles").GetLineCount(), 2);

  Ui().SelectRows("MRUFileChooser/MultiLstOfFiles", {0});
  Ui().PressCancel("MRUFileChooser");
  EXPECT_EQ(OpenWindows("MRUFileChooser"), 0) << "destroyed after the answer";
  EXPECT_EQ(CurrentMaster(), paths[1]);
  EXPECT_EQ(Frame().GetCurrentIndex(), 2);

  Ui().Push("SelMRUFilesBtn");
  Ui().SelectRows("MRUFileChooser/MultiLstOfFiles", {0});
  Ui().PressOK("MRUFileChooser");
  EXPECT_EQ(CurrentMaster(), paths[0]);
  EXPECT_EQ(Frame().GetCurrentIndex(), 1);
  EXPECT_EQ(RecentFiles(), paths);
  EXPECT_EQ(OpenWindows("MRUFileChooser"), 0);
}
