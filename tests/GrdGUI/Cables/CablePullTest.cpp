// Cable-pull jobs: the diameter measured on entering the tab, segment data of the selected route,
// keying in, browsing for and creating the job file, the run with a short or detailed report, and
// the two-step buttons.
#include "CablesFixture.h"
#include "VexCkeUnitFrame.h"
#include "VexDlgMultiList.h"
#include "VexGrdPanel.h"
#include "VexSession.h"

using CablePullTest = CablesTest;

// The question, the EDSA runs and the message show in the cable_pull scenario's transcript; here,
// the files written for the new job.
TEST_F(CablePullTest, KeyingInANewNameWritesTheSegmentsAndTheDiameterForTheJob) {
  StartOnCablesTab(AddRoute1());
  Ui().AnswerYes();
  Ui().Type("OldCableLocEdt", VexUnicodeString(PathIn("pull0001.cpd")));
  std::string segments = Folder().Read("CableRoute.seg");
  EXPECT_EQ(segments.rfind("EDSA-SEGMENTS 2", 0), 0u) << segments;
  EXPECT_NE(segments.find("Runs=3\nBends=2\n"), std::string::npos) << segments;
  EXPECT_NE(Folder().Read("pull0001.cpd").find("CableDiameter=41.200"), std::string::npos);
  EXPECT_EQ(Conduit().GetJobFilePath().str(), PathIn("pull0001.cpd"));
}

TEST_F(CablePullTest, AKeyedInNameIsRefusedWithTheReasonAndTheTypedTextStays) {
  Route route = AddRoute1();
  auto single = AddRouteElement("CD201", VexElementKind::Conduit, {{0, 0, 0}}, 41.2);
  auto out = AddRouteElement("CD301", VexElementKind::Conduit, {{0, 0, 0}, {5000, 0, 0}}, 41.2);
  auto back =
      AddRouteElement("CD302", VexElementKind::Conduit, {{5000, 0, 0}, {1000, 300, 0}}, 41.2);
  auto apart =
      AddRouteElement("CD401", VexElementKind::Conduit, {{0, 9000, 0}, {900, 9000, 0}}, 41.2);
  auto motor = VexBaseUnknown_var(AddElement("PUMP1", VexElementKind::Equipment));
  StartOnCablesTab();

  struct Case {
    const char* name;
    const char* typed;
    const char* key;
    Route selection;
  } cases[] = {
      {"nine characters", "pull00001.cpd", "GrdGUI_MaxFileLength", route},
      {"a single point", "pull2.cpd", "GrdGUI_CableTab_InsufficientSegmentPoints", {single}},
      {"folding back", "pull3.cpd", "GrdGUI_CableTab_PerpendicularLinearSegments", {out, back}},
      {"a gap", "pull4.cpd", "GrdGUI_CableTab_SegmentError", {route[1], apart}},
      {"equipment", "pull5.cpd", "GrdGUI_CableTab_InvalidObjectsForCablePull", {route[1], motor}},
      {"nothing selected", "pull6.cpd", "GrdGUI_CableTab_InvalidObjectsForCablePull", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Select(c.selection);
    std::string typed = PathIn(c.typed);
    Ui().Type("OldCableLocEdt", VexUnicodeString(typed));  // no question may come: none is queued
    EXPECT_EQ(LastMessage(), Report(c.key));
    EXPECT_EQ(Editor("OldCableLocEdt"), typed);
    EXPECT_EQ(Tab().GetCablePullFiles().Size(), 0);
    EXPECT_TRUE(Conduit().GetJobFilePath().IsEmpty());
  }
}

TEST_F(CablePullTest, KeyingInFindsTheJobBesideTheTypedNameOrEmptiesTheEditorOnNo) {
  Folder().Write("pull1.cpd", "EDSA-CABLEPULL 1\n");
  StartOnCablesTab(AddRoute1());
  std::string typed = PathIn("pull1.txt");
  Ui().Type("OldCableLocEdt", VexUnicodeString(typed));
  EXPECT_EQ(Editor("OldCableLocEdt"), typed) << "the typed path, with its own extension";
  EXPECT_EQ(Conduit().GetJobFilePath().str(), typed);

  Ui().AnswerNo();
  Ui().Type("OldCableLocEdt", VexUnicodeString(PathIn("pull9.cpd")));
  EXPECT_EQ(Editor("OldCableLocEdt"), "");
  EXPECT_EQ(Tab().GetCablePullFiles().Size(), 1);
  EXPECT_FALSE(std::filesystem::exists(Folder() / "pull9.cpd"));
}

TEST_F(CablePullTest, BrowsingChecksTheChosenFileAndOnlyMakesAnExistingOneCurrent) {
  for (const char* file : {"pull1.cpd", "pull2.cpd", "pull1.txt", "pull00001.cpd"}) {
    Folder().Write(file, "EDSA-CABLEPULL 1\n");
  }
  StartOnCablesTab();  // nothing selected: choosing an existing job needs no route
  struct Case {
    const char* name;
    const char* chosen;
    std::string report;  // empty: no report
    const char* current;
  } cases[] = {
      {"an existing job", "pull1.cpd", "", "pull1.cpd"},
      {"no extension", "pull2", "", "pull2"},
      {"another extension", "pull1.txt", Report("GrdGUI_InvalidCablePullExt"), "pull2"},
      {"nine characters", "pull00001.cpd", Report("GrdGUI_MaxFileLength"), "pull2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int before = MessageCount();
    Browse("SelCblPullFilBtn", PathIn(c.chosen));
    EXPECT_EQ(VexSession::GetSession().GetUserLog().GetEntries()[before].title,
              Text("GrdGUI_FindEdsaCblPullFile"))
        << "the file choice comes first, under the chooser's title";
    if (c.report.empty()) {
      EXPECT_EQ(MessageCount(), before + 1);
    } else {
      EXPECT_EQ(LastMessage(), c.report);
    }
    EXPECT_EQ(Editor("OldCableLocEdt"), PathIn(c.current));
  }
  EXPECT_FALSE(std::filesystem::exists(Folder() / "CableRoute.seg"));
}

TEST_F(CablePullTest, BrowsingToAMissingFileCreatesItOnYesWithTheRouteSegments) {
  StartOnCablesTab(AddRoute1());
  Folder().Write("pull1.cpd", "EDSA-CABLEPULL 1\n");
  Browse("SelCblPullFilBtn", PathIn("pull1.cpd"));
  std::string job = PathIn("pull7.cpd");
  Ui().AnswerFile(VexUnicodeString(job));
  Ui().AnswerNo();
  Ui().Push("SelCblPullFilBtn");
  EXPECT_EQ(LastMessage(0), CreateQuestion(job)) << "the browse question names the whole path";
  EXPECT_EQ(Editor("OldCableLocEdt"), PathIn("pull1.cpd")) << "no leaves the editor as it was";

  Ui().AnswerFile(VexUnicodeString(job));
  Ui().AnswerYes();
  Ui().Push("SelCblPullFilBtn");
  EXPECT_EQ(LastMessage(),
            ReportText("pull7.cpd:" + Text("GrdGUI_CableTab_NewCablePullFileGenerated").str()));
  EXPECT_EQ(Editor("OldCableLocEdt"), job);
  EXPECT_NE(Folder().Read("pull7.cpd").find("Runs=3"), std::string::npos);
  EXPECT_EQ(CablePullModes(2), (std::vector<std::string>{"1", "2"}));
}

TEST_F(CablePullTest, TheRunTakesTheReportFormOfTheCombo) {
  Folder().Write("pull1.cpd", "EDSA-CABLEPULL 1\n");
  StartOnCablesTab();
  Ui().Push("RunCblPullBtn");
  EXPECT_EQ(LastMessage(), Report("GrdGUI_CableTab_InvalidCablePullFile"));

  Browse("SelCblPullFilBtn", PathIn("pull1.cpd"));
  Ui().Push("RunCblPullBtn");  // no report line selected
  Ui().SelectLine("CblPullResultCmb", "DETAILED");
  Ui().Push("RunCblPullBtn");
  Ui().SelectLine("CblPullResultCmb", "SHORT");
  Ui().Push("RunCblPullBtn");
  EXPECT_EQ(CablePullModes(3), (std::vector<std::string>{"3", "3", "4"}));
  for (const EdsaRun& run : Runs(3)) EXPECT_EQ(run.arguments.back(), PathIn("pull1.cpd"));
}

TEST_F(CablePullTest, TheStepButtonsOfferTheSegmentStepOnlyAfterTheGlobalData) {
  StartOnCablesTab(AddRoute1());
  auto& segments = Ui().Find("ProcessSegments");
  InEvent([&] { Tab().ProcessGlobalData(nullptr, nullptr, nullptr); });
  EXPECT_EQ(LastMessage(), Report("GrdGUI_CableTab_UnableToWriteGlobalData")) << "no job file yet";
  EXPECT_FALSE(segments.IsUsable());

  InEvent([&] { Tab().SetCablePullFile(VexUnicodeString(PathIn("pull8.cpd"))); });
  InEvent([&] { Tab().ProcessGlobalData(nullptr, nullptr, nullptr); });
  EXPECT_TRUE(segments.IsUsable());
  EXPECT_EQ(Ui().Find("DefCableSegDataLbl").GetVisibility(), VexDialog::kShown);
  EXPECT_EQ(Ui().Find("ProcessGlobal").GetVisibility(), VexDialog::kHidden);

  Ui().Push("ProcessSegments");
  EXPECT_EQ(CablePullModes(2), (std::vector<std::string>{"1", "2"}));
  EXPECT_FALSE(segments.IsUsable());
  EXPECT_EQ(Ui().Find("DefCableSegDataLbl").GetVisibility(), VexDialog::kHidden);
}

TEST_F(CablePullTest, WithoutADiameterTheTabSaysSoAndKeepsTheLastOne) {
  Route route = AddRoute1();
  auto bare = AddRouteElement("TR9", VexElementKind::Tray, {{0, 0, 0}, {0, 900, 0}});
  StartOnCablesTab(route);
  ASSERT_DOUBLE_EQ(Conduit().GetCableDia(), 0.0412);

  struct Case {
    const char* name;
    Route selection;
    int rows;
  } cases[] = {{"nothing selected", {}, 0}, {"a tray without a cable diameter", {bare}, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ui().SelectPage("TabContainer", VexGrdPanel::kProjectTab);
    Select(c.selection);
    Ui().SelectPage("TabContainer", VexGrdPanel::kCablesTab);
    EXPECT_EQ(LastMessage(), Report("GrdGUI_CableTab_UnsupportedElements"));
    EXPECT_EQ(Ui().Get<VexDlgMultiList>("CSOMultiList").GetLineCount(), c.rows);
    EXPECT_DOUBLE_EQ(Ui().Get<VexCkeUnitFrame>("XEditor").GetValue(), 0.0412);
    EXPECT_DOUBLE_EQ(Conduit().GetCableDia(), 0.0412);
  }
}

// The diameter is measured when the page is entered; a route selected afterwards has its own.
TEST_F(CablePullTest, ARouteSelectedAfterEnteringThePageNeedsThePageEnteredAgain) {
  Route trays = {AddRouteElement("TR201", VexElementKind::Tray, {{0, 0, 0}, {0, 5000, 0}}, 28.6)};
  Route conduits = AddRoute1();
  StartOnCablesTab(trays);
  Select(conduits);
  Ui().AnswerYes();
  Ui().Type("OldCableLocEdt", VexUnicodeString(PathIn("pull1.cpd")));
  EXPECT_EQ(LastMessage().rfind("2|", 0), 0u) << LastMessage();
  EXPECT_NE(LastMessage().find("Cables tab"), std::string::npos) << LastMessage();
  EXPECT_FALSE(std::filesystem::exists(Folder() / "pull1.cpd")) << "no job with the trays' diameter";

  Ui().SelectPage("TabContainer", VexGrdPanel::kProjectTab);
  Ui().SelectPage("TabContainer", VexGrdPanel::kCablesTab);
  Ui().AnswerYes();
  Ui().Type("OldCableLocEdt", VexUnicodeString(PathIn("pull2.cpd")));
  EXPECT_NE(Folder().Read("pull2.cpd").find("CableDiameter=41.200"), std::string::npos);
}
