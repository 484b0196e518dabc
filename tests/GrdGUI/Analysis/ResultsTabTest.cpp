// The Results tab on results of the sample plant: text annotation lists the nodes and
// branches that have results and the lines of the one chosen; colour annotation colours the
// objects linked to them in the first 3D viewer. A missing result file, the normal state before
// any analysis, gives nothing and says nothing (one trace line); a damaged one is reported with
// the file and the line where it breaks.
#include <gtest/gtest.h>

#include "EdsaSessionTest.h"
#include "VexDlgCombo.h"
#include "VexDlgSelectorList.h"
#include "VexTrace.h"

namespace {

// Results of the sample plant as an analysis would leave them: three buses and two branches.
constexpr const char* kSampleText =
    "# AC load flow (three-phase), 2026-01-01T00:00:00Z\n[BUS1]\nVoltage = 0.9601 pu (460.9 V)\n"
    "[BUS2]\nVoltage = 0.9590 pu (460.3 V)\n[BUS3]\nVoltage = 0.9578 pu (459.8 V)\n"
    "[BUS1->BUS2]\nCurrent = 326.9 A\n[BUS2->BUS3]\nCurrent = 116.5 A\n";
constexpr const char* kSampleColours =
    "BUS1 0 160 0\nBUS2 0 160 0\nBUS3 230 160 0\nBUS1->BUS2 230 160 0\nBUS2->BUS3 0 160 0\n";

}  // namespace

class ResultsTabTest : public EdsaSessionTest {
 protected:
  void OpenResultsTab() {
    project_ = LoadSamplePlant();
    PutResultFile("plant.txr", kSampleText);
    PutResultFile("plant.clr", kSampleColours);
    StartCommand();
    Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  }
  /// A result file the services cannot use: its content (null: no file at all) and the line the
  /// message names (null: no message, and a trace line for a missing file).
  struct UnusableFile {
    const char* name;
    const char* content;
    const char* reportedLine;
  };

  /// A missing file is traced and not shown; a damaged one is shown (kind 2) and not traced.
  void ExpectReported(const VexTraceCapture& capture, int messagesBefore, const char* file,
                      const UnusableFile& c) {
    ExpectServiceTrace(capture, file, c.content ? nullptr : file);
    if (!c.reportedLine) {
      EXPECT_EQ(MessageCount(), messagesBefore);
      return;
    }
    ASSERT_EQ(MessageCount(), messagesBefore + 1);
    EXPECT_EQ(LastMessage().rfind("2|", 0), 0u) << LastMessage();
    EXPECT_NE(LastMessage().find((project_ / file).string()), std::string::npos) << LastMessage();
    EXPECT_NE(LastMessage().find(std::string("line ") + c.reportedLine), std::string::npos)
        << LastMessage();
  }

  /// Replaces one of the project's result files ("plant.txr", "plant.clr"); null removes it.
  void PutResultFile(const std::string& name, const char* content) {
    if (content) {
      Folder().Write("edsa/" + name, content);
    } else {
      std::filesystem::remove(project_ / name);
    }
  }

  /// A file the services cannot use leaves exactly one trace line, naming it and where it failed.
  static void ExpectServiceTrace(const VexTraceCapture& capture, const char* file,
                                 const char* where) {
    std::vector<std::string> lines;
    for (const auto& line : capture.Lines()) {
      if (line.channel == "GRDSRV") lines.push_back(line.text);
    }
    ASSERT_EQ(lines.size(), where ? 1u : 0u);
    if (!where) return;
    EXPECT_NE(lines[0].find(file), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(where), std::string::npos) << lines[0];
  }

  VexDlgCombo& Combo() { return Ui().Get<VexDlgCombo>("TxtNodeBranchCombo"); }
  Lines ResultLines() { return LinesOf(Ui().Get<VexDlgSelectorList>("TxtResultsSelList")); }

  std::filesystem::path project_;
};

TEST_F(ResultsTabTest, TextResultsKeepFileOrderAndLeaveNoEmptyRows) {
  OpenResultsTab();
  // CR LF ends, comments, blank lines, a section named twice and a section without lines.
  PutResultFile("plant.txr",
                "# load flow\r\n[BUS1]\r\n\r\nVoltage = 1.0 pu\r\n   \n# between lines\n\t\n"
                "  Angle = 0.0 deg  \n[ BUS1->BUS2 ]\nCurrent = 212 A\n[EMPTY]\n[BUS1]\n"
                "Load = 1.2 MW\n");
  Ui().Push("TextAnnotate");
  EXPECT_EQ(LinesOf(Combo()), (Lines{"BUS1", "BUS1->BUS2"}));
  Ui().SelectLine("TxtNodeBranchCombo", 0);
  EXPECT_EQ(ResultLines(), (Lines{"Voltage = 1.0 pu", "  Angle = 0.0 deg", "Load = 1.2 MW"}));
}

TEST_F(ResultsTabTest, UnusableTextResultsGiveNothingAndOnlyDamageIsReported) {
  const UnusableFile cases[] = {
      {"no result file", nullptr, nullptr},
      {"a result line before any section", "Voltage = 1.0 pu\n[BUS1]\nA = 0\n", "1"},
      {"a section without its bracket", "[BUS1]\nVoltage = 1.0 pu\n[BUS2\nA = 0\n", "3"},
      {"a section without a name", "[BUS1]\nVoltage = 1.0 pu\n[ ]\nA = 0\n", "3"},
      {"no result lines at all", "# nothing was computed\n[BUS1]\n", nullptr},
  };
  OpenResultsTab();
  for (const UnusableFile& c : cases) {
    SCOPED_TRACE(c.name);
    // Start from the good results, so that what the bad file leaves behind shows.
    PutResultFile("plant.txr", kSampleText);
    Ui().Push("TextAnnotate");
    Ui().SelectLine("TxtNodeBranchCombo", 0);
    PutResultFile("plant.txr", c.content);
    VexTraceCapture capture;
    int before = MessageCount();
    Ui().Push("TextAnnotate");
    ExpectReported(capture, before, "plant.txr", c);
    if (!c.reportedLine) {
      EXPECT_EQ(Combo().GetLineCount(), 0);
      EXPECT_EQ(Combo().GetSensitivity(), VexDialog::kInsensitive);
      EXPECT_TRUE(ResultLines().empty());
    } else {
      // The tab keeps what it showed when the error came; the services keep nothing of the file.
      Ui().SelectLine("TxtNodeBranchCombo", 0);
      EXPECT_TRUE(ResultLines().empty());
    }
  }
}

TEST_F(ResultsTabTest, ColourAnnotationColoursTheLinkedObjectsInTheFirstViewerOnly) {
  OpenResultsTab();
  Editor().Close3DViewer(&Viewer());
  Ui().Push("ColorAnnotate");  // no viewer: nothing to colour, nothing to say
  VexNavigation3DViewer* first = Editor().Open3DViewer("Plan view");
  VexNavigation3DViewer* second = Editor().Open3DViewer("Side view");
  Ui().Push("ColorAnnotate");

  // Which objects get which colour shows in the tour's transcript; here, the viewers.
  EXPECT_EQ(first->GetColoredCount(), 9);
  EXPECT_EQ(second->GetColoredCount(), 0) << "only the first viewer is coloured";
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(ResultsTabTest, ColourAnnotationWithNothingToColourColoursNothing) {
  const UnusableFile cases[] = {
      {"no colour file", nullptr, nullptr},
      {"a colour out of range", "BUS1 0 160 0\nBUS2 0 300 0\n", "2"},
      {"a negative colour", "BUS1 0 160 0\nBUS2 -1 0 0\n", "2"},
      {"a fraction", "BUS1 0 160 0\nBUS2 1.5 0 0\n", "2"},
      {"not a number", "BUS1 0 160 0\nBUS2 red 0 0\n", "2"},
      {"a line without its blue", "BUS1 0 160\n", "1"},
      {"a line with a fifth field", "BUS1 0 160 0 4\n", "1"},
      {"no node or branch coloured", "# nothing was computed\n", nullptr},
  };
  OpenResultsTab();
  for (const UnusableFile& c : cases) {
    SCOPED_TRACE(c.name);
    PutResultFile("plant.clr", c.content);
    VexTraceCapture capture;
    int before = MessageCount();
    Ui().Push("ColorAnnotate");
    EXPECT_EQ(Viewer().GetColoredCount(), 0);
    ExpectReported(capture, before, "plant.clr", c);
  }
}

// A FIFO in place of a result file once hung the program in open(): it is no result file.
TEST_F(ResultsTabTest, AFifoInPlaceOfAResultFileIsNeverWaitedOn) {
  OpenResultsTab();
  struct Case {
    const char* file;
    const char* button;
  };
  for (const Case& c : {Case{"plant.txr", "TextAnnotate"}, Case{"plant.clr", "ColorAnnotate"}}) {
    SCOPED_TRACE(c.file);
    std::filesystem::remove(project_ / c.file);
    const auto fifo = Folder().MakeFifo(std::string("edsa/") + c.file);
    EXPECT_TRUE(ReturnsWithoutWaitingOn(fifo, [&] { Ui().Push(c.button); }));
  }
  EXPECT_EQ(Combo().GetLineCount(), 0);
  EXPECT_EQ(Viewer().GetColoredCount(), 0);
}
