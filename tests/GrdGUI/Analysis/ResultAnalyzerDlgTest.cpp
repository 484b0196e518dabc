// The result analyzer as the Navigator opens it on a node or branch of the sample plant: the
// identifiers with text results in its combo, the chosen one's result lines, and one closing
// notification however the person closes it.
#include <gtest/gtest.h>

#include "EdsaSessionTest.h"
#include "VexDlgCombo.h"
#include "VexDlgSelectorList.h"
#include "VexGrdResultAnalyzerDlg.h"

namespace {

using Lines = EdsaSessionTest::Lines;

VexListValVexUnicodeString ListOf(const Lines& texts) {
  VexListValVexUnicodeString list;
  for (const std::string& text : texts) list.Append(VexUnicodeString(text));
  return list;
}

/// Opens analyzers as their real opener does: it keeps one, listens for its closing notification,
/// then drops its subscription and has the dialog destroyed.
class AnalyzerOpener : public VexCommand {
 public:
  VexGrdResultAnalyzerDlg* Open(VexDialog* from, VexGrdProject* project, const Lines& ids,
                                const std::string& idToShow, int kind) {
    dialog_ =
        new VexGrdResultAnalyzerDlg(from, project, ListOf(ids), VexUnicodeString(idToShow), kind);
    AddAnalyseNotificationCB(dialog_, "VexGrdResultAnalyzerDlgOK", &AnalyzerOpener::Closed,
                             nullptr);
    return dialog_;
  }
  void Closed(VexCommand* sender, VexNotification* notification, void*) {
    ++closings;
    closedWhileHidden = sender == dialog_ && dialog_->GetVisibility() == VexDialog::kHidden;
    notificationClass = notification->IsA();
    RemoveSubscriberCallbacks(dialog_);
    VexCommandDeletion(dialog_);
    dialog_ = nullptr;
  }

  int closings = 0;
  bool closedWhileHidden = false;
  std::string notificationClass;

 protected:
  ~AnalyzerOpener() override = default;

 private:
  VexGrdResultAnalyzerDlg* dialog_ = nullptr;
};

}  // namespace

class ResultAnalyzerDlgTest : public EdsaSessionTest {
 protected:
  ResultAnalyzerDlgTest() : opener_(new AnalyzerOpener) {}

  void SetUp() override {
    LoadSamplePlant();
    StartCommand();
    InEvent([&] { Project().AnalyzeTextAnnotation(); });
  }
  /// Opens the analyzer from the Results tab, as one user event.
  VexGrdResultAnalyzerDlg& Open(const Lines& ids, const std::string& idToShow, int kind,
                                bool withProject = true) {
    VexGrdResultAnalyzerDlg* dialog = nullptr;
    InEvent([&] {
      dialog = opener_->Open(&Ui().Find("ResultsFrame"), withProject ? &Project() : nullptr, ids,
                             idToShow, kind);
    });
    analyzer_ = std::make_unique<VexUiDriver>(dialog);
    return *dialog;
  }
  VexUiDriver& Analyzer() { return *analyzer_; }
  Lines ComboLines() { return LinesOf(Analyzer().Get<VexDlgCombo>("TxtNdBrCombo")); }
  int ComboSelection() { return Analyzer().Get<VexDlgCombo>("TxtNdBrCombo").GetSelect(); }
  Lines ResultLines() { return LinesOf(Analyzer().Get<VexDlgSelectorList>("TxtNodeBrSelList")); }

  VexVar<AnalyzerOpener> opener_;
  std::unique_ptr<VexUiDriver> analyzer_;
};

TEST_F(ResultAnalyzerDlgTest, OpensUnderThePanelOnThePreselectedIdentifiersLines) {
  VexGrdResultAnalyzerDlg& dialog = Open({"", "BUS1", "", "BUS1->BUS2", ""}, "BUS1->BUS2", 1);
  EXPECT_EQ(dialog.GetParent(), &Panel());
  EXPECT_EQ(dialog.GetVisibility(), VexDialog::kShown);
  EXPECT_EQ(ComboLines(), (Lines{"BUS1", "BUS1->BUS2"})) << "empty identifiers leave no line";
  EXPECT_EQ(ComboSelection(), 1);
  EXPECT_EQ(Analyzer().Find("TxtNdBrCombo").GetSensitivity(), VexDialog::kInsensitive);
  EXPECT_EQ(ResultLines(), (Lines{"Current = 521.7 A", "Losses = 3.9 kW", "Loading = 68 %"}))
      << "the person opened it to read these, and cannot choose in the combo";
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(ResultAnalyzerDlgTest, NothingIsShownWhenThereIsNothingToPreselect) {
  struct Case {
    const char* name;
    std::string idToShow;
    int kind;
    bool withProject;
    int selection;
  } cases[] = {
      {"another kind", "BUS1", 2, true, -1},
      {"no identifier to show", "", 1, true, -1},
      {"an identifier without results", "BUS4", 1, true, -1},
      {"an identifier of no node or branch", "BUS9", 1, true, -1},
      {"no project to read results from", "BUS1", 1, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open({"BUS1", "BUS2"}, c.idToShow, c.kind, c.withProject);
    EXPECT_EQ(ComboSelection(), c.selection);
    EXPECT_TRUE(ResultLines().empty());
    Analyzer().PressOK();
  }
  EXPECT_EQ(opener_->closings, 5);
  EXPECT_EQ(MessageCount(), 0);
}

TEST_F(ResultAnalyzerDlgTest, OKCancelAndTheCloseBoxAllSendOneClosingNotification) {
  const std::pair<const char*, void (VexUiDriver::*)(const std::string&)> ways[] = {
      {"OK", &VexUiDriver::PressOK},
      {"Cancel", &VexUiDriver::PressCancel},
      {"close box", &VexUiDriver::CloseWindow},
  };
  int expected = 0;
  for (const auto& [name, close] : ways) {
    SCOPED_TRACE(name);
    Open({"BUS1"}, "BUS1", 1);
    (Analyzer().*close)("");
    EXPECT_EQ(opener_->closings, ++expected);
    EXPECT_TRUE(opener_->closedWhileHidden);
    EXPECT_EQ(opener_->notificationClass, "VexGrdResultAnalyzerDlgOK");
    EXPECT_EQ(Panel().FindChild("ResultAnalyzerDlg"), nullptr) << "its opener destroyed it";
  }
}
