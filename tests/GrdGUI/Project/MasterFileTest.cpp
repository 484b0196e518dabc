// The master-file row and the EDSA actions: keying in, browsing, validation, creation on request,
// the display rule, and the one-line diagram and master data started in EDSA.
#include <filesystem>

#include "EdsaRunLog.h"
#include "ProjectTabTest.h"
#include "VexGrdMasterFile.h"

namespace fs = std::filesystem;

using MasterFileTest = ProjectTabTest;

TEST_F(MasterFileTest, AValidMasterFileKeyedInBecomesCurrentListedOnceAndShown) {
  std::string master = WriteMasterFile("plant.mas");
  StartCommand();
  EXPECT_EQ(ActionsSensitive(), 0);
  EXPECT_THROW(Ui().Push("ViewOneLineDiagram"), VexInputError) << "no master file yet";
  EXPECT_EQ(Ui().Find("NetFileEditor").GetVisibility(), VexDialog::kHidden);
  KeyIn(master);
  KeyIn(master);
  EXPECT_EQ(CurrentMaster(), master);
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{master});
  EXPECT_EQ(Frame().GetCurrentIndex(), 1);
  EXPECT_EQ(EditorText(), "plant.mas") << master.size() << " characters show the file name only";
  EXPECT_EQ(ActionsSensitive(), 1);
  EXPECT_EQ(MessageCount(), 0);

  // Blanks are ignored for the check only: the path with them is another entry.
  KeyIn(" " + master);
  EXPECT_EQ(RecentFiles(), (std::vector<std::string>{master, " " + master}));
  EXPECT_EQ(CurrentMaster(), " " + master);
  EXPECT_EQ(Frame().GetCurrentIndex(), 2);
}

TEST_F(MasterFileTest, PathsUnderThirtyCharactersAreShownWhole) {
  fs::create_directory(Folder() / "d");
  ScopedCurrentFolder here(Folder().Path());  // a relative path, as a designer types it
  const std::string shortPath = "d/" + std::string(23, 'a') + ".mas";  // 29 characters
  const std::string longPath = "d/" + std::string(24, 'b') + ".mas";   // 30 characters
  WriteMasterFile(shortPath);
  WriteMasterFile(longPath);
  StartCommand();
  KeyIn(shortPath);
  EXPECT_EQ(EditorText(), shortPath);
  KeyIn(longPath);
  EXPECT_EQ(EditorText(), std::string(24, 'b') + ".mas");
  EXPECT_EQ(CurrentMaster(), longPath);
}

TEST_F(MasterFileTest, AWrongExtensionIsRefusedAndTheCurrentMasterFileStays) {
  std::string master = WriteMasterFile("plant.mas");
  StartCommand();
  KeyIn(master);
  std::string wrong = PathOf("missing.doc");
  KeyIn(wrong);
  EXPECT_EQ(LastMessage(), TabMessage(3, Text("GrdGUI_InvalidMasterFileExt") + wrong.c_str() +
                                             "\n" + Text("GrdGUI_ValidMasterFileExtInfo")));
  EXPECT_EQ(CurrentMaster(), master);
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{master});
  EXPECT_EQ(ActionsSensitive(), 1);
  EXPECT_FALSE(fs::exists(wrong)) << "no file is created for a wrong extension";
}

TEST_F(MasterFileTest, AMissingFileIsCreatedOnlyWhenTheUserSaysYes) {
  StartCommand();
  std::string wanted = PathOf("dc.mds");
  VexUnicodeString question =
      Text("GrdGUI_UnableToFindFile") + wanted.c_str() + "\n" + Text("GrdGUI_CreateNewFile");
  Ui().AnswerNo();
  KeyIn(wanted);
  EXPECT_EQ(LastMessage(), TabMessage(4, question));
  EXPECT_FALSE(fs::exists(wanted));
  EXPECT_EQ(CurrentMaster(), "");
  EXPECT_TRUE(RecentFiles().empty());
  EXPECT_EQ(ActionsSensitive(), 0);

  Ui().AnswerYes();
  KeyIn(wanted);
  ASSERT_TRUE(fs::is_regular_file(wanted));
  EXPECT_EQ(VexGrdMasterFile(VexUnicodeString(wanted)).GetNetworkType(), "DC")
      << "created with the extension's network type";
  EXPECT_EQ(CurrentMaster(), wanted);
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{wanted});
  EXPECT_EQ(EditorText(), "dc.mds");
  EXPECT_EQ(ActionsSensitive(), 1);
}

TEST_F(MasterFileTest, BrowsingValidatesLikeKeyingInAndMakesTheRealPathCurrent) {
  std::string master = WriteMasterFile("plant.mas");
  fs::create_symlink(master, Folder() / "link.mas");
  std::string text = Folder().Write("notes.txt", "x").string();
  StartCommand();
  Ui().CancelFileChoice();
  Ui().Push("SelEdsaFile");
  EXPECT_EQ(CurrentMaster(), "");
  EXPECT_FALSE(Ui().Exists("SelectEDSAFileDialogBox")) << "the chooser is closed";

  Ui().AnswerFile(VexUnicodeString(text));
  Ui().Push("SelEdsaFile");
  EXPECT_EQ(LastMessage(), TabMessage(3, Text("GrdGUI_InvalidMasterFileExt") + text.c_str() +
                                             "\n" + Text("GrdGUI_ValidMasterFileExtInfo")));

  // Each press opens a new chooser: the one before was released with its answer.
  Ui().AnswerFile(VexUnicodeString(PathOf("link.mas")));
  Ui().Push("SelEdsaFile");
  EXPECT_EQ(CurrentMaster(), fs::canonical(master).string());
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{fs::canonical(master).string()});
  EXPECT_EQ(ActionsSensitive(), 1);
  EXPECT_FALSE(Ui().Exists("SelectEDSAFileDialogBox"));
  EXPECT_EQ(User().GetPendingCount(), 0);
}

TEST_F(MasterFileTest, TheMasterDataOpenInEdsaAndAMissingProgramIsAWarning) {
  std::string master = WriteMasterFile("plant.mas");
  StartCommand();
  KeyIn(master);
  Ui().Push("EditMaster");  // the diagram's run shows in the tour's transcript
  std::vector<EdsaRun> runs = WaitForEdsaRuns(Folder() / "edsa-runs.log", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].program, "winedsa.exe");
  EXPECT_EQ(runs[0].arguments, (std::vector<std::string>{master, "/master"}));
  EXPECT_EQ(MessageCount(), 0);

  ScopedEnv emptyEdsa("VOLTARIA_EDSA_HOME", Folder().Path().string());
  Ui().Push("ViewOneLineDiagram");
  EXPECT_EQ(LastMessage().rfind("2|Warning|", 0), 0u) << LastMessage();
  EXPECT_NE(LastMessage().find("winedsa.exe"), std::string::npos) << LastMessage();
}

TEST_F(MasterFileTest, AMasterFileDeletedOnDiskIsReportedByTheDiagramAndRecreatedByTheMasterData) {
  std::string master = WriteMasterFile("plant.mps");
  StartCommand();
  KeyIn(master);
  fs::remove(master);
  Ui().Push("ViewOneLineDiagram");
  EXPECT_EQ(LastMessage(), TabMessage(3, Text("GrdGUI_InvalidMasterFile")));
  Ui().Push("EditMaster");
  ASSERT_TRUE(fs::is_regular_file(master)) << "recreated without a question";
  EXPECT_EQ(VexGrdMasterFile(VexUnicodeString(master)).GetNetworkType(), "1X");
  EXPECT_FALSE(fs::exists(Folder() / "edsa-runs.log")) << "EDSA was not started";
}
