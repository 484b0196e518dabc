// Wire-sizing jobs: the file keyed in or browsed to, and the run of EDSA's wire-sizing program.
#include <algorithm>

#include "CablesFixture.h"
#include "VexSession.h"

using WireSizingTest = CablesTest;

TEST_F(WireSizingTest, AKeyedInPathIsCheckedAndAMissingFileIsOnlyRecorded) {
  Folder().Write("feedersizing.wsw", "EDSA-WIRESIZE 1\n");
  StartOnCablesTab();
  struct Case {
    const char* name;
    std::string typed;
    const char* answer;   // "yes", "no" or nullptr: no question may come
    std::string message;  // empty: nothing shown
    std::string current;
  } cases[] = {
      {"no extension", PathIn("size1"), nullptr, Report("GrdGUI_InvalidWireSizeExt"), ""},
      {"a missing file, no", PathIn("size2.wsw"), "no", CreateQuestion(PathIn("size2.wsw")), ""},
      {"a missing file, yes", PathIn("size3.wsw"), "yes", CreateQuestion(PathIn("size3.wsw")),
       PathIn("size3.wsw")},
      {"twelve characters", PathIn("feedersizing.wsw"), nullptr, "", PathIn("feedersizing.wsw")},
      {"emptied", "", nullptr, Report("GrdGUI_InvalidFile"), PathIn("feedersizing.wsw")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.answer && std::string(c.answer) == "yes") Ui().AnswerYes();
    if (c.answer && std::string(c.answer) == "no") Ui().AnswerNo();
    int before = MessageCount();
    Ui().Type("SizeJobFile", VexUnicodeString(c.typed));
    EXPECT_EQ(MessageCount(), before + (c.message.empty() ? 0 : 1));
    if (!c.message.empty()) {
      EXPECT_EQ(LastMessage(), c.message);
    }
    const VexListValVexUnicodeString& files = Tab().GetWireSizeFiles();
    EXPECT_EQ(files.Size() == 0 ? "" : files[files.Size()].str(), c.current);
  }
  EXPECT_FALSE(std::filesystem::exists(Folder() / "size3.wsw")) << "the tab never writes a .wsw";
}

TEST_F(WireSizingTest, BrowsingLimitsTheNameAndChecksTheExtension) {
  for (const char* file : {"feedersizing.wsw", "size1.cpd", "size1.wsw"})
    Folder().Write(file, "x\n");
  StartOnCablesTab();
  struct Case {
    const char* name;
    const char* chosen;
    std::string report;
  } cases[] = {
      {"twelve characters", "feedersizing.wsw", Report("GrdGUI_MaxFileLength")},
      {"another extension", "size1.cpd", Report("GrdGUI_InvalidWireSizeExt")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Browse("SelWrSzFileBtn", PathIn(c.chosen));
    EXPECT_EQ(LastMessage(), c.report);
    EXPECT_EQ(Tab().GetWireSizeFiles().Size(), 0);
  }
  Browse("SelWrSzFileBtn", PathIn("size1.wsw"));
  EXPECT_EQ(Editor("SizeJobFile"), PathIn("size1.wsw"));
  EXPECT_EQ(VexSession::GetSession().GetUserLog().GetLast().title,
            Text("GrdGUI_FindEdsaWireSizeFile"));
}

TEST_F(WireSizingTest, TheRunUsesTheEditorsFileAndACablePullRunTakesItsOwnBack) {
  Folder().Write("pull1.cpd", "EDSA-CABLEPULL 1\n");
  StartOnCablesTab();
  Browse("SelCblPullFilBtn", PathIn("pull1.cpd"));
  int messages = MessageCount();
  Ui().Push("SizeRun");
  EXPECT_EQ(MessageCount(), messages) << "an empty editor: nothing to run, nothing to say";
  EXPECT_EQ(Conduit().GetJobFilePath().str(), PathIn("pull1.cpd"));

  std::string size = PathIn("size1.wsw");
  Ui().AnswerYes();
  Ui().Type("SizeJobFile", VexUnicodeString(size));
  Ui().Push("SizeRun");
  EXPECT_EQ(Conduit().GetJobFilePath().str(), size);
  Ui().Push("RunCblPullBtn");
  EXPECT_EQ(Conduit().GetJobFilePath().str(), PathIn("pull1.cpd"));

  std::vector<EdsaRun> runs = Runs(2);
  ASSERT_EQ(runs.size(), 2u) << "the empty run started nothing";
  std::sort(runs.begin(), runs.end(),
            [](const EdsaRun& a, const EdsaRun& b) { return a.program < b.program; });
  EXPECT_EQ(runs[0].program, "Wwrsznec.exe");
  EXPECT_EQ(runs[0].arguments.back(), size);
  EXPECT_EQ(runs[1].program, "cablpull.exe");
}
