// The Analysis tab as a designer uses it: pick a variant, press its button, and either the EDSA
// program of that variant runs on the project or the tab says which network type it needs.
#include <gtest/gtest.h>

#include "EdsaSessionTest.h"
#include "VexDlgCombo.h"
#include "VexDlgTabContainer.h"
#include "VexGrdAnalFrm.h"

namespace {

constexpr int kNoLine = -1;

struct AnalysisCase {
  const char* name;
  const char* masterFile;   // its extension tells the network type...
  const char* networkType;  // ...unless the file records one
  const char* combo;  // null: the button has no variants
  int line;
  const char* button;
  const char* program;  // started, or null when nothing runs
  const char* refusalKey = nullptr;
  const char* requirementKey = nullptr;
};

void PrintTo(const AnalysisCase& c, std::ostream* out) { *out << c.name; }

const AnalysisCase kCases[] = {
    {"ShortCircuit3PhaseOn3P", "net.mas", "", "ShortCirCmb", 0, "ShortCirBtn", "scac3p.exe"},
    {"ShortCircuitDCOnDCRecordedInAMasFile", "net.mas", "DC", "ShortCirCmb", 1, "ShortCirBtn",
     "scdc.exe"},
    {"ShortCircuit1PhaseOn1X", "net.mss", "", "ShortCirCmb", 2, "ShortCirBtn", "scac1pxf.exe"},
    {"ShortCircuit1PhaseOn3PIsRefused", "net.mas", "", "ShortCirCmb", 2, "ShortCirBtn", nullptr,
     "GrdGUI_InvalidNetworkType", "GrdGUI_Choose1PhaseTransformer"},
    {"ShortCircuit3PhaseOnDCIsRefused", "net.mds", "", "ShortCirCmb", 0, "ShortCirBtn", nullptr,
     "GrdGUI_InvalidNetworkType", "GrdGUI_ChooseAC3Phase"},
    {"ShortCircuitWithoutALineDoesNothing", "net.mas", "", "ShortCirCmb", kNoLine, "ShortCirBtn",
     nullptr},
    {"LoadFlowACOn3P", "net.mas", "", "LoadFloCmb", 0, "LoadFloBtn", "aclfmain.exe"},
    {"LoadFlowDCOnDC", "net.mds", "", "LoadFloCmb", 1, "LoadFloBtn", "dclfmain.exe"},
    {"LoadFlowDCOn3PIsRefusedAsAMasterFileType", "net.mas", "", "LoadFloCmb", 1, "LoadFloBtn",
     nullptr, "GrdGUI_InvalidMasterFileExt", "GrdGUI_ChooseDC"},
    {"LoadFlowACOn1XIsRefused", "net.mps", "", "LoadFloCmb", 0, "LoadFloBtn", nullptr,
     "GrdGUI_InvalidNetworkType", "GrdGUI_ChooseAC3Phase"},
    {"MotorStartOn3P", "net.mas", "", "MtrStartCmb", 0, "MtrStartBtn", "mstrmain.exe"},
    {"MotorStartOn1XRecordedInAMasFileIsRefused", "net.mas", "1X", "MtrStartCmb", 0, "MtrStartBtn",
     nullptr, "GrdGUI_InvalidNetworkType", "GrdGUI_ChooseAC3Phase"},
    {"HarmonicsOn3P", "net.mas", "", "HarmonCmb", 0, "HarmonBtn", "harmmain.exe"},
    {"HarmonicsOn3PWithoutALine", "net.mas", "", "HarmonCmb", kNoLine, "HarmonBtn", "harmmain.exe"},
    {"HarmonicsOnDCIsRefused", "net.mds", "", "HarmonCmb", 0, "HarmonBtn", nullptr,
     "GrdGUI_InvalidNetworkType", "GrdGUI_ChooseAC3Phase"},
    {"WinEdsaOn3P", "net.mas", "", nullptr, 0, "WinEdsaBtn", "winedsa.exe"},
    {"WinEdsaOnDC", "net.mds", "", nullptr, 0, "WinEdsaBtn", "winedsa.exe"},  // on any type
};

}  // namespace

class AnalysisTabTest : public EdsaSessionTest {
 protected:
  void OpenAnalysisTab() {
    StartCommand();
    Ui().SelectPage("TabContainer", VexGrdPanel::kAnalysisTab);
  }
  /// Picks `line` as a person would; no line can only be left by code, never by a person.
  void Pick(const std::string& combo, int line) {
    if (line == kNoLine) {
      Ui().Get<VexDlgCombo>(combo).SetSelect(kNoLine, 0);
    } else {
      Ui().SelectLine(combo, line);
    }
  }
  VexGrdAnalFrm& Frame() { return Ui().Get<VexGrdAnalFrm>("Anal_Frame"); }
};

class AnalysisVariantTest : public AnalysisTabTest,
                            public ::testing::WithParamInterface<AnalysisCase> {};

TEST_P(AnalysisVariantTest, RunsTheVariantOnlyOnItsNetworkType) {
  const AnalysisCase& c = GetParam();
  std::string master = UseMasterFile(c.masterFile, c.networkType);
  OpenAnalysisTab();
  if (c.combo) Pick(c.combo, c.line);
  Ui().Push(c.button);

  if (c.program) {
    std::vector<Run> expected{{c.program, master}};
    EXPECT_EQ(Starts(), expected);
    EXPECT_EQ(WaitForLoggedRuns(1), expected) << "the EDSA program itself ran on the project";
    EXPECT_EQ(MessageCount(), 0);
  } else {
    EXPECT_TRUE(Starts().empty());
    if (c.refusalKey) {
      EXPECT_EQ(MessageCount(), 1);
      EXPECT_EQ(LastMessage(), Refusal(c.refusalKey, c.requirementKey));
    } else {
      EXPECT_EQ(MessageCount(), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, AnalysisVariantTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnalysisTabTest, WithoutAProjectNoButtonDoesAnything) {
  CloseDocument();
  StartCommand();
  EXPECT_THROW(Ui().Push("ShortCirBtn"), VexInputError) << "the tab cannot even be reached";
  VexGrdAnalFrm& frame = Frame();
  InEvent([&] {
    frame.RunShortCircuit(nullptr, nullptr, nullptr);
    frame.RunLoadFlow(nullptr, nullptr, nullptr);
    frame.RunMotorStart(nullptr, nullptr, nullptr);
    frame.RunHarmonics(nullptr, nullptr, nullptr);
    frame.RunWinEdsa(nullptr, nullptr, nullptr);
  });
  EXPECT_TRUE(Starts().empty());
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(AnalysisTabTest, AMissingProgramOrEdsaFolderIsAClearWarningAndThePanelKeepsWorking) {
  std::string master = UseMasterFile("net.mss");
  std::string folder = UseEdsaFolderWithout("scac1pxf.exe").string();
  OpenAnalysisTab();
  Ui().SelectLine("ShortCirCmb", 2);
  Ui().Push("ShortCirBtn");
  EXPECT_TRUE(Starts().empty());
  EXPECT_EQ(LastMessage(), "2|" + UtilitiesText("ErrorTitleWarning") + "|" +
                               UtilitiesText("EdsaProgramMissing", {"scac1pxf.exe", folder}));

  Ui().Push("WinEdsaBtn");
  std::vector<Run> expected{{"winedsa.exe", master}};
  EXPECT_EQ(Starts(), expected);
  EXPECT_EQ(WaitForLoggedRuns(1), expected);
  Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  EXPECT_EQ(Ui().Get<VexDlgTabContainer>("TabContainer").GetSelectedPage(),
            VexGrdPanel::kResultsTab);
  EXPECT_EQ(MessageCount(), 1);

  std::string missing = (Folder() / "no-such-folder").string();
  UseEdsaFolder(missing);
  Ui().SelectPage("TabContainer", VexGrdPanel::kAnalysisTab);
  Ui().Push("WinEdsaBtn");
  EXPECT_EQ(Starts().size(), 1u);
  EXPECT_EQ(LastMessage(), "2|" + UtilitiesText("ErrorTitleWarning") + "|" +
                               UtilitiesText("EdsaFolderMissing", {missing, "winedsa.exe"}));
}

TEST_F(AnalysisTabTest, WithoutAMasterFileEveryButtonOfAnalysisAndResultsWarns) {
  OpenAnalysisTab();
  const std::pair<int, const char*> buttons[] = {
      {VexGrdPanel::kAnalysisTab, "ShortCirBtn"}, {VexGrdPanel::kAnalysisTab, "LoadFloBtn"},
      {VexGrdPanel::kAnalysisTab, "MtrStartBtn"}, {VexGrdPanel::kAnalysisTab, "HarmonBtn"},
      {VexGrdPanel::kAnalysisTab, "WinEdsaBtn"},  {VexGrdPanel::kResultsTab, "TextAnnotate"},
      {VexGrdPanel::kResultsTab, "ColorAnnotate"}};
  for (const auto& [page, button] : buttons) {
    SCOPED_TRACE(button);
    Ui().SelectPage("TabContainer", page);
    int before = MessageCount();
    Ui().Push(button);
    EXPECT_EQ(MessageCount(), before + 1);
    EXPECT_EQ(LastMessage(),
              "2|" + UtilitiesText("ErrorTitleWarning") + "|" + UtilitiesText("NoMasterFile"));
  }
  EXPECT_TRUE(Starts().empty());
}
