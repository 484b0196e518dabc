// The Results tab on the sample plant's EDSA results: text annotation lists the nodes and
// branches that have results and the lines of the one chosen; colour annotation colours the
// objects linked to them in the first 3D viewer.
#include <gtest/gtest.h>

#include "EdsaSessionTest.h"
#include "VexDlgCombo.h"
#include "VexDlgSelectorList.h"

class ResultsTabTest : public EdsaSessionTest {
 protected:
  void OpenResultsTab() {
    project_ = LoadSamplePlant();
    StartCommand();
    Ui().SelectPage("TabContainer", VexGrdPanel::kResultsTab);
  }
  /// Replaces one of the project's result files ("plant.txr", "plant.clr").
  void WriteResultFile(const std::string& name, const std::string& content) {
    Folder().Write("edsa/" + name, content);
  }
  void RemoveResultFile(const std::string& name) { std::filesystem::remove(project_ / name); }

  VexDlgCombo& Combo() { return Ui().Get<VexDlgCombo>("TxtNodeBranchCombo"); }
  Lines ResultLines() { return LinesOf(Ui().Get<VexDlgSelectorList>("TxtResultsSelList")); }

  std::filesystem::path project_;
};

TEST_F(ResultsTabTest, ResultLinesLeaveNoEmptyRows) {
  OpenResultsTab();
  WriteResultFile("plant.txr",
                  "\n[BUS1]\n\nVoltage = 1.0 pu\n   \n# a comment between lines\n\t\n"
                  "Angle = 0.0 deg\n\n[BUS2]\n\nVoltage = 0.9 pu\n");
  Ui().Push("TextAnnotate");
  EXPECT_EQ(LinesOf(Combo()), (Lines{"BUS1", "BUS2"}));
  Ui().SelectLine("TxtNodeBranchCombo", 0);
  EXPECT_EQ(ResultLines(), (Lines{"Voltage = 1.0 pu", "Angle = 0.0 deg"}));
}

TEST_F(ResultsTabTest, UnusableTextResultsGiveNothingToChooseAndNoMessage) {
  struct Case {
    const char* name;
    const char* content;  // null: no file at all
  } cases[] = {
      {"no result file", nullptr},
      {"a result line before any section", "Voltage = 1.0 pu\n[BUS1]\nAngle = 0 deg\n"},
      {"a section without its bracket", "[BUS1]\nVoltage = 1.0 pu\n[BUS2\nAngle = 0 deg\n"},
      {"a section without a name", "[BUS1]\nVoltage = 1.0 pu\n[ ]\nAngle = 0 deg\n"},
      {"no result lines at all", "# nothing was computed\n[BUS1]\n"},
  };
  OpenResultsTab();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Start from the good results, so that what the bad file leaves behind shows.
    std::filesystem::copy_file(std::filesystem::path(VOLTARIA_SAMPLE_DIR) / "plant/edsa/plant.txr",
                               project_ / "plant.txr",
                               std::filesystem::copy_options::overwrite_existing);
    Ui().Push("TextAnnotate");
    Ui().SelectLine("TxtNodeBranchCombo", 0);
    if (c.content) {
      WriteResultFile("plant.txr", c.content);
    } else {
      RemoveResultFile("plant.txr");
    }
    Ui().Push("TextAnnotate");
    EXPECT_EQ(Combo().GetLineCount(), 0);
    EXPECT_EQ(Combo().GetSensitivity(), VexDialog::kInsensitive);
    EXPECT_TRUE(ResultLines().empty());
  }
  EXPECT_EQ(MessageCount(), 0);
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

TEST_F(ResultsTabTest, ColourAnnotationWithNothingToColourChangesNothingSilently) {
  struct Case {
    const char* name;
    const char* content;  // null: no file at all
  } cases[] = {
      {"no colour file", nullptr},
      {"a colour out of range", "BUS1 0 160 0\nBUS2 0 300 0\n"},
      {"a line without its blue", "BUS1 0 160\n"},
      {"no node or branch coloured", "# nothing was computed\n"},
  };
  OpenResultsTab();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.content) {
      WriteResultFile("plant.clr", c.content);
    } else {
      RemoveResultFile("plant.clr");
    }
    Ui().Push("ColorAnnotate");
    EXPECT_EQ(Viewer().GetColoredCount(), 0);
  }
  EXPECT_EQ(MessageCount(), 0);
}
