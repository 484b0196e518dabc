// The recent cable-pull and wire-sizing files: made current, picked again, persisted.
#include <limits>

#include "CablesFixture.h"
#include "VexDlgMultiList.h"
#include "VexGrdPanel.h"
#include "VexSettingRepository.h"

namespace {

VexSettingRepository* Repository() {
  return VexSettingRepository::GetRepository("EdsaProject", 0, 1, nullptr);
}

}  // namespace

using CableFilesTest = CablesTest;

TEST_F(CableFilesTest, ListsAndCurrentFilesSurviveTheCommandsExitAndANewProcess) {
  std::string first = PathIn("pull1.cpd"), second = PathIn("pull2.cpd"), size = PathIn("size1.wsw");
  for (const char* file : {"pull1.cpd", "pull2.cpd", "size1.wsw"}) Folder().Write(file, "job\n");
  StartOnCablesTab();
  Browse("SelCblPullFilBtn", first);
  Browse("SelCblPullFilBtn", second);
  Ui().Type("SizeJobFile", VexUnicodeString(size));
  std::vector<std::string> writes;
  Repository()->SetWriteObserver([&](const std::string& key) {
    if (key.rfind("CBL", 0) == 0 || key.rfind("CUR_CBL", 0) == 0) writes.push_back(key);
  });
  ClosePanel();

  EXPECT_EQ(writes,
            (std::vector<std::string>{"CUR_CBLPULLFILE", "CBLPULL_L1", "CBLPULL_S1", "CBLPULL_L2",
                                      "CBLPULL_S2", "CBLPULL_COUNT", "CUR_CBLSIZEFILE",
                                      "CBLSIZE_L1", "CBLSIZE_S1", "CBLSIZE_COUNT"}));
  EXPECT_EQ(ReadSettingElsewhere("int", "CUR_CBLPULLFILE", 1), "1 2\n");
  EXPECT_EQ(ReadSettingElsewhere("chars", "CBLPULL_S1", static_cast<int>(first.size())),
            std::to_string(first.size()) + " " + first + "\n");

  VexSettingRepository::ForgetLoadedRepositories();
  StartCommand();
  EXPECT_EQ(Texts(&Tab().GetCablePullFiles()), (std::vector<std::string>{first, second}));
  EXPECT_EQ(Editor("OldCableLocEdt"), second);
  EXPECT_EQ(Editor("SizeJobFile"), size);
  EXPECT_TRUE(Conduit().GetJobFilePath().IsEmpty()) << "a run passes the editor's file itself";
}

TEST_F(CableFilesTest, AListSavedEmptyLeavesTheEarlierStoredListForTheNextStart) {
  std::string stored = PathIn("old.wsw");
  StartOnCablesTab();
  // What an earlier run of the host stored; this run never made a wire-sizing file current.
  int one = 1, length = static_cast<int>(stored.size());
  Repository()->WriteSetting("CBLSIZE_COUNT", &one, 1, 0);
  Repository()->WriteSetting("CBLSIZE_L1", &length, 1, 0);
  Repository()->WriteSetting("CBLSIZE_S1", stored.data(), length, 0);
  Repository()->WriteSetting("CUR_CBLSIZEFILE", &one, 1, 0);
  ClosePanel();

  VexSettingRepository::ForgetLoadedRepositories();
  StartCommand();
  EXPECT_EQ(Texts(&Tab().GetWireSizeFiles()), std::vector<std::string>{stored});
  EXPECT_EQ(Editor("SizeJobFile"), stored);
}

TEST_F(CableFilesTest, TheRecentFileChooserIsOneForBothListsAndMakesThePickCurrent) {
  std::string first = PathIn("pull1.cpd"), second = PathIn("pull2.cpd");
  for (const char* file : {"pull1.cpd", "pull2.cpd"}) Folder().Write(file, "job\n");
  StartOnCablesTab();
  Browse("SelCblPullFilBtn", first);
  Browse("SelCblPullFilBtn", second);
  // Cancelling the chooser is checked with the Project tab's list: the chooser is the same class.
  Ui().Push("SelMRUCblPullFileBtn");
  Ui().Push("SelMRUCblSizeFileBtn");
  ASSERT_EQ(OpenWindows("MRUFileChooser"), 1);
  EXPECT_EQ(Ui().Find("MRUFileChooser").GetTitle(), Text("GrdGUI_CableTab_MRUCblPullFiles"));
  EXPECT_EQ(Ui().Get<VexDlgMultiList>("MRUFileChooser/MultiLstOfFiles").GetLineCount(), 2);
  Ui().SelectRows("MRUFileChooser/MultiLstOfFiles", {0});
  Ui().PressOK("MRUFileChooser");
  EXPECT_EQ(OpenWindows("MRUFileChooser"), 0);
  EXPECT_EQ(Editor("OldCableLocEdt"), first);
  EXPECT_EQ(Conduit().GetJobFilePath().str(), first);
  EXPECT_EQ(Tab().GetCablePullFiles().Size(), 2) << "a pick does not move or add an entry";
}

TEST_F(CableFilesTest, APathAlikeToAnEntryShowsTheEntrysSpelling) {
  StartOnCablesTab();
  for (const char* typed : {"/jobs/Feeder1.wsw", "/JOBS/FEEDER1.WSW"}) {
    Ui().AnswerYes();
    Ui().Type("SizeJobFile", typed);
  }
  EXPECT_EQ(Texts(&Tab().GetWireSizeFiles()), std::vector<std::string>{"/jobs/Feeder1.wsw"});
  EXPECT_EQ(Editor("SizeJobFile"), "/jobs/Feeder1.wsw");
}

// Damage that passes the checksum: a stored length of 2147483647 once allocated 2 GiB at start.
TEST_F(CableFilesTest, AHugeStoredCountOrLengthCostsOnlyWhatIsStored) {
  const std::string kept = PathIn("kept.cpd");
  int huge = std::numeric_limits<int>::max(), one = 1, length = static_cast<int>(kept.size());
  Repository()->WriteSetting("CBLPULL_COUNT", &huge, 1, 0);
  Repository()->WriteSetting("CBLPULL_L1", &huge, 1, 0);
  Repository()->WriteSetting("CBLPULL_S1", const_cast<char*>("abc"), 3, 0);
  Repository()->WriteSetting("CBLPULL_L2", &length, 1, 0);
  Repository()->WriteSetting("CBLPULL_S2", const_cast<char*>(kept.data()), length, 0);
  Repository()->WriteSetting("CUR_CBLPULLFILE", &one, 1, 0);
  ASSERT_EQ(Repository()->SaveRepository(), 0);
  VexSettingRepository::ForgetLoadedRepositories();
  StartCommand();
  EXPECT_EQ(Texts(&Tab().GetCablePullFiles()), std::vector<std::string>{kept});
  EXPECT_EQ(Editor("OldCableLocEdt"), kept);
  EXPECT_EQ(MessageCount(), 0) << "damaged entries are skipped silently";
}
