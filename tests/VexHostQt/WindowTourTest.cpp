// The bundled tour played in the window as a person plays it: clicks on the Qt peers' buttons,
// tabs and rows, combo lines chosen in their lists, Ctrl+clicks on the plant view, the questions
// answered in their message boxes and file dialogs. It must end as the text tour ends: the test
// plays the text tour with the host program on another copy of the sample and compares what the
// command language tells of both sessions (the panel, the model, the 3D view, the EDSA runs) and
// the result files both wrote. It checks too that the window shows what the files say: the
// result lines, the colours on the plant, the runs. It runs on an X server of its own (Xvfb) when
// none is set, as the plant view needs OpenGL.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "ChangeReporter.h"
#include "DesktopSession.h"
#include "ModalAnswers.h"
#include "PanelRestart.h"
#include "ReviewedTranscript.h"
#include "ScriptInterpreter.h"
#include "TerminalUser.h"
#include "TestPlant.h"
#include "TestFolder.h"
#include "VexAECReviewBaseServices.h"
#include "VexApplicationFrame.h"
#include "VexCSO.h"
#include "VexDlgWindow.h"
#include "VexIAECElement.h"
#include "VexGrdBranch.h"
#include "VexGrdEdsaRunner.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNode.h"
#include "VexGrdProject.h"
#include "VexNavigation3DViewer.h"
#include "VexPathElement.h"
#include "VexProcess.h"
#include "VexQtDialogMirror.h"
#include "VexQtDisplay.h"
#include "VexQtMainWindow.h"
#include "VexQtPeer.h"
#include "VexQtPlantScene.h"
#include "VexQtPlantView.h"
#include "VexQtWindowPeer.h"
#include "VexSession.h"
#include "VexWorkspace.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 10000;
constexpr int kProgramWaitMs = 30000;

// The same text whichever copy of the sample it was written in, whenever it was written.
std::string Normalized(const std::string& text, const fs::path& workRoot) {
  return WithPlaceholders(text, {{workRoot.string(), "<work>"}});
}

// What a command printed in a transcript: the lines after its last "> command" line.
std::string Section(const std::string& transcript, const std::string& command) {
  std::string marker = "\n> " + command + "\n";
  std::size_t start = transcript.rfind(marker);
  if (start == std::string::npos) return "(no " + command + " in the transcript)";
  start += marker.size();
  std::size_t end = transcript.find("\n\n", start);
  return transcript.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

// A result file without its comments (what run it was, when, how it converged).
std::vector<std::string> ResultLines(const fs::path& file) {
  std::vector<std::string> lines;
  std::istringstream in(ReadFileText(file));
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// The text results of `object`: the lines under its "[object]" header.
std::vector<std::string> TextResultsOf(const fs::path& file, const std::string& object) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const std::string& line : ResultLines(file)) {
    if (line.front() == '[') {
      inside = line == "[" + object + "]";
    } else if (inside) {
      lines.push_back(line);
    }
  }
  return lines;
}

// Node or branch identifier -> the colour the analysis gave it.
std::map<std::string, VexColor> ColourResults(const fs::path& file) {
  std::map<std::string, VexColor> colours;
  for (const std::string& line : ResultLines(file)) {
    std::istringstream fields(line);
    std::string id;
    int red = 0, green = 0, blue = 0;
    if (fields >> id >> red >> green >> blue) {
      colours[id] = VexColor{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                             static_cast<std::uint8_t>(blue)};
    }
  }
  return colours;
}

std::multiset<std::string> RunRecords(const fs::path& log, const fs::path& workRoot) {
  std::multiset<std::string> records;
  std::istringstream in(ReadFileText(log));
  for (std::string line; std::getline(in, line);) {
    // A record is the program and its arguments, then the time it ran, separated by tabs.
    if (std::size_t lastTab = line.rfind('\t'); lastTab != std::string::npos) {
      records.insert(Normalized(line.substr(0, lastTab), workRoot));
    }
  }
  return records;
}

class WindowTourTest : public ::testing::Test {
 protected:
  WindowTourTest() : work(WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder / "window")) {
    ::setenv("VEX_SETTINGS_DIR", work.settings.c_str(), 1);
    VexGrdEdsaRunner::SetEdsaFolder(VexUnicodeString(VOLTARIA_EDSA_DIR));
    workspace = VexWorkspace::Open(VexUnicodeString(work.plant.string()), false);
    VexGrdProject::SeedSettingsFromDocument(workspace->GetDocument());
    processObserver = VexAddProcessObserver([this](const VexProcessStart& start) { started.push_back(start); });
    desktop = std::make_unique<DesktopSession>(workspace, restart, DesktopSession::Options{});
    desktop->Show();
    window = &desktop->GetWindow();
    answers = std::make_unique<ModalAnswers>();
    desktop->StartEdsaAsPerson();
    // The command language's read-outs of this session, for the comparison with the text tour.
    terminalUser = std::make_unique<TerminalUser>(lineReader, readOut);
    reporter = std::make_unique<ChangeReporter>(VexApplicationFrame::GetFrame()->GetMainWindow(),
                                                workspace->GetEditor(), workspace->GetViewer(), readOut);
    readBack = std::make_unique<ScriptInterpreter>(*workspace, restart, *terminalUser, *reporter, readOut);
  }
  ~WindowTourTest() override {
    EXPECT_TRUE(answers->Problems().isEmpty()) << answers->Problems().join("\n").toStdString();
    readBack.reset();
    reporter.reset();
    answers.reset();
    desktop.reset();
    VexRemoveProcessObserver(processObserver);
    VexSession::GetSession().SetUser(nullptr);
  }

  /// The view of the panel's widget `name` (or of a path "Window/name"), once the mirror has
  /// caught up.
  template <class V>
  V& View(const std::string& name) {
    window->GetMirror().Flush();
    QApplication::processEvents();
    std::string path = name.find('/') == std::string::npos ? "VexGrdPanel/" + name : name;
    VexDialog* widget = VexApplicationFrame::GetFrame()->GetMainWindow()->FindPath(path);
    if (!widget) throw std::runtime_error("no widget " + path);
    VexQtPeer* peer = window->GetMirror().PeerOf(widget);
    auto* view = peer ? qobject_cast<V*>(peer->GetView()) : nullptr;
    if (!view) throw std::runtime_error("no view of the expected kind for " + path);
    return *view;
  }
  VexQtPlantView& PlantView() { return dynamic_cast<VexQtPlantView&>(*window->centralWidget()); }

  void Push(const std::string& name) {
    QPushButton& button = View<QPushButton>(name);
    ASSERT_TRUE(button.isVisible() && button.isEnabled()) << name << " cannot be pushed";
    QTest::mouseClick(&button, Qt::LeftButton);
  }
  /// Pushes `name`, answering the windows expected meanwhile, and waits until they have closed.
  void PushAnswering(const std::string& name) {
    Push(name);
    ASSERT_TRUE(answers->Settle()) << answers->Problems().join("\n").toStdString();
  }
  void Tab(const QString& title) {
    QTabBar* bar = View<QTabWidget>("TabContainer").tabBar();
    for (int i = 0; i < bar->count(); ++i) {
      if (bar->tabText(i).remove('&') == title) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        ASSERT_EQ(bar->currentIndex(), i) << "the tab " << title.toStdString() << " was refused";
        return;
      }
    }
    FAIL() << "no tab " << title.toStdString();
  }
  /// A person opens the combo's list, moves to the line `text` with the keys and takes it.
  void Choose(const std::string& name, const QString& text) {
    auto& combo = View<QComboBox>(name);
    int wanted = combo.findText(text);
    ASSERT_GE(wanted, 0) << name << " has no line " << text.toStdString();
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_F4);
    QAbstractItemView* list = combo.view();
    ASSERT_TRUE(list->isVisible()) << name << "'s list did not open";
    auto row = [list] { return list->currentIndex().isValid() ? list->currentIndex().row() : -1; };
    while (row() < wanted) QTest::keyClick(list, Qt::Key_Down);
    while (row() > wanted) QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
  }
  /// Clicks the row of the list `name` whose cells from `column` on read `cells`.
  void ClickRow(const std::string& name, int column, const QStringList& cells) {
    auto& view = View<QTreeView>(name);
    for (int row = 0; row < view.model()->rowCount(); ++row) {
      QStringList shown;
      for (int c = column; c < column + cells.size(); ++c) shown << view.model()->index(row, c).data().toString();
      if (shown == cells) {
        QModelIndex cell = view.model()->index(row, column);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(cell).center());
        return;
      }
    }
    FAIL() << name << " has no row " << cells.join(" | ").toStdString();
  }
  QStringList Rows(const std::string& name, int column) {
    auto& view = View<QTreeView>(name);
    QStringList rows;
    for (int row = 0; row < view.model()->rowCount(); ++row) rows << view.model()->index(row, column).data().toString();
    return rows;
  }

  /// Ctrl+clicks in the plant view where each element shows, as a person adds them to the
  /// selection one by one.
  void CtrlClickInPlant(const std::vector<std::string>& names) {
    QWindow* drawn = PlantWindow();
    ASSERT_NE(drawn, nullptr) << "the plant view has no 3D window";
    for (const std::string& name : names) {
      std::optional<QPoint> at = VisiblePointOf(PlantView(), IndexInScene(name));
      ASSERT_TRUE(at) << name << " is hidden behind other elements";
      QTest::mouseClick(drawn, Qt::LeftButton, Qt::ControlModifier, *at);
    }
    EXPECT_EQ(Selection(), names);
  }
  /// There is no gesture in the window that empties the selection; the script's `elements`
  /// empties it as one session event too before it adds.
  void EmptySelection() {
    VexSession::GetSession().RunEvent("empty the selection", [this] { workspace->GetEditor().GetCSO()->Empty(); });
  }
  std::vector<std::string> Selection() {
    std::vector<std::string> names;
    for (const VexBaseUnknown_var& leaf : workspace->GetEditor().GetCSO()->GetLeaves()) {
      if (VexIAECElement_var element{VexLeafOf(leaf)}) names.push_back(element->GetName().str());
    }
    return names;
  }
  int IndexInScene(const std::string& name) {
    int index = SceneIndexOf(*PlantView().GetScene(), name);
    if (index < 0) ADD_FAILURE() << name << " is not drawn";
    return index;
  }

  /// Waits for every EDSA program started so far to end, keeping the window alive meanwhile.
  void AwaitPrograms() {
    for (const VexProcessStart& start : started) {
      EXPECT_TRUE(QTest::qWaitFor(
          [&] { return VexWaitForProcessEnd(start.pid, std::chrono::milliseconds(0)).has_value(); }, kProgramWaitMs))
          << start.program << " did not end";
    }
  }

  VexGrdNetworkModel& Model() { return VexGrdNetworkModel::Of(workspace->GetDocument()); }
  VexGrdBranch* Branch(const std::string& id) {
    for (VexGrdBranch* branch : Model().GetBranches()) {
      if (branch->GetBranchId().str() == id) return branch;
    }
    return nullptr;
  }
  /// Plant element name -> the colour its node's or branch's result gives it.
  std::map<std::string, VexColor> ResultColourOfElements(const std::map<std::string, VexColor>& results) {
    std::map<std::string, VexColor> colours;
    auto colourLinked = [&](const std::string& id, std::unique_ptr<VexListValVexIGrd3DComponent_var> linked) {
      auto result = results.find(id);
      if (result == results.end() || !linked) return;
      for (const auto& component : *linked) {
        if (VexIAECElement_var element{component}) colours[element->GetName().str()] = result->second;
      }
    };
    for (VexGrdNode* node : Model().GetNodes()) colourLinked(node->GetNodeId().str(), node->GetLinkedComponents());
    for (VexGrdBranch* branch : Model().GetBranches()) {
      colourLinked(branch->GetBranchId().str(), branch->GetLinkedComponents());
    }
    return colours;
  }

  /// What the command language prints for `command` in this session.
  std::string ReadBack(const std::string& command) {
    readOut.str("");
    EXPECT_EQ(readBack->Execute(command), ScriptInterpreter::Outcome::Done) << readOut.str();
    return Normalized(readOut.str(), work.root);
  }

  TestFolder folder;
  WorkFolder work;
  std::unique_ptr<VexWorkspace> workspace;
  VexStateCommand_var command;
  PanelRestart restart{command};
  int processObserver = 0;
  std::vector<VexProcessStart> started;
  std::unique_ptr<DesktopSession> desktop;
  VexQtMainWindow* window = nullptr;
  std::unique_ptr<ModalAnswers> answers;
  LineReader lineReader{false};
  std::ostringstream readOut;
  std::unique_ptr<TerminalUser> terminalUser;
  std::unique_ptr<ChangeReporter> reporter;
  std::unique_ptr<ScriptInterpreter> readBack;
};

TEST_F(WindowTourTest, PlayedInTheWindowTheTourEndsAsTheTextTourEnds) {
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return View<QTabWidget>("TabContainer").isVisible(); }, kWaitMs));

  // 1. The master file, browsed for twice; then the one-line diagram, whose program is missing.
  answers->ExpectFile("Select an EDSA Master File", work.edsa / "fanless.mas");
  PushAnswering("SelEdsaFile");
  EXPECT_EQ(View<QLineEdit>("MasterFileEdt").text(), "fanless.mas");
  answers->ExpectFile("Select an EDSA Master File", work.edsa / "plant.mas");
  PushAnswering("SelEdsaFile");
  EXPECT_EQ(View<QLineEdit>("MasterFileEdt").text(), "plant.mas");
  // The failure is told once the program has ended.
  answers->ExpectMessage("EDSA", "winedsa.exe failed", QMessageBox::Ok);
  PushAnswering("ViewOneLineDiagram");

  // 2. Synchronize: the new bus is added once the person says yes.
  answers->ExpectMessage("EDSA Project", "Do you want to add them", QMessageBox::Yes);
  PushAnswering("Synchronize");

  // 3. The conduits of route 3 linked to a new branch BUS1->BUS5.
  ASSERT_TRUE(Selection().empty());
  CtrlClickInPlant({"CD301", "CD302"});
  Tab("Associate");
  Push("CreateNewBranch");
  Choose("NodeBranchDlg/BrFromIdCmb", "BUS1");
  Choose("NodeBranchDlg/BrToIdCmb", "BUS5");
  auto* dialog = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("NodeBranchDlg");
  ASSERT_NE(dialog, nullptr);
  auto* dialogPeer = dynamic_cast<VexQtWindowPeer*>(window->GetMirror().PeerOf(dialog));
  ASSERT_NE(dialogPeer, nullptr);
  QTest::mouseClick(dialogPeer->GetOKButton(), Qt::LeftButton);
  VexGrdBranch* branch = Branch("BUS1->BUS5");
  ASSERT_NE(branch, nullptr) << "OK made no branch";

  // 4. In the Navigator, choosing the branch measures it from its conduits.
  Tab("Navigator");
  ClickRow("BranchMultiList", 1, {"BUS1", "BUS5"});
  ASSERT_EQ(branch->GetUnitCode().str(), "MT");
  EXPECT_GT(branch->GetLength(), 0.0);
  EXPECT_EQ(View<QLineEdit>("NavBranchLenEditor").text(), QString("%1 m").arg(branch->GetLength()));

  // 5. A three-phase load flow, waited for as the next step reads its results.
  Tab("Analysis");
  Choose("LoadFloCmb", "3-phase AC");
  Push("LoadFloBtn");
  AwaitPrograms();

  // 6. The text results of BUS3 as the result file has them, then the colours on the plant.
  Tab("Results");
  Push("TextAnnotate");
  Choose("TxtNodeBranchCombo", "BUS3");
  const fs::path textResults = work.edsa / "plant.txr";
  QStringList expected;
  for (const std::string& line : TextResultsOf(textResults, "BUS3")) expected << QString::fromStdString(line);
  EXPECT_FALSE(expected.isEmpty()) << "no results of BUS3 in " << textResults;
  EXPECT_EQ(Rows("TxtResultsSelList", 0), expected);
  Push("ColorAnnotate");
  QApplication::processEvents();  // the view follows the viewer once the event is over
  std::map<std::string, VexColor> coloured = ResultColourOfElements(ColourResults(work.edsa / "plant.clr"));
  EXPECT_FALSE(coloured.empty()) << "no plant element has a result colour";
  std::vector<std::string> selected = Selection();
  for (const auto& [name, colour] : coloured) {
    bool isSelected = std::find(selected.begin(), selected.end(), name) != selected.end();
    int index = IndexInScene(name);
    if (index < 0) continue;
    VexColor shown = PlantView().GetScene()->ColorOf(index);
    VexColor wanted = isSelected ? VexQtPlantScene::kHighlight : colour;
    EXPECT_TRUE(shown == wanted) << name << " shows " << shown.red << "," << shown.green << "," << shown.blue;
  }

  // 7. A cable pull for route 1: its file chosen and created on the person's yes, then run.
  EmptySelection();
  CtrlClickInPlant({"CD101", "CD102", "CD103"});
  Tab("Cables");
  EXPECT_EQ(Rows("CSOMultiList", 0), (QStringList{"CD101", "CD102", "CD103"}));
  answers->ExpectFile("Select an EDSA Cable-Pull File", work.edsa / "tour1.cpd");
  answers->ExpectMessage("EDSA Cables", "Do you want to create a new file", QMessageBox::Yes);
  answers->ExpectMessage("EDSA Cables", "new cable-pull file created", QMessageBox::Ok);
  PushAnswering("SelCblPullFilBtn");
  EXPECT_EQ(View<QLineEdit>("OldCableLocEdt").text().toStdString(), (work.edsa / "tour1.cpd").string());
  AwaitPrograms();
  Choose("CblPullResultCmb", "DETAILED");
  Push("RunCblPullBtn");
  AwaitPrograms();

  // 8. Every run recorded beside the master file, and the window's runs list showing the record.
  const fs::path runLog = work.edsa / "edsa-runs.log";
  std::multiset<std::string> startedHere;
  for (const VexProcessStart& start : started) {
    std::string record = fs::path(start.program).filename().string();
    for (std::size_t i = 1; i < start.arguments.size(); ++i) record += "\t" + start.arguments[i];
    startedHere.insert(Normalized(record, work.root));
  }
  EXPECT_EQ(RunRecords(runLog, work.root), startedHere);
  auto* runsList = window->findChild<QPlainTextEdit*>("RunsLog");
  ASSERT_NE(runsList, nullptr);
  EXPECT_TRUE(QTest::qWaitFor([&] { return runsList->toPlainText().toStdString() == ReadFileText(runLog); }, kWaitMs))
      << "the runs list shows:\n" << runsList->toPlainText().toStdString();

  // The text tour on a copy of its own, then the same read-outs and files.
  WorkFolder text = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder / "text");
  const fs::path script = folder / "tour-then-read.vscript";
  std::ofstream(script) << ReadFileText(VOLTARIA_TOUR_SCRIPT) << "\nshow\nmodel\nviewer\n";
  std::string transcript;
  ASSERT_EQ(RunProgram(VOLTARIA_PROGRAM,
                       {"--plant", text.plant.string(), "--settings", text.settings.string(), "--edsa",
                        VOLTARIA_EDSA_DIR, "--script", script.string()},
                       {}, &transcript, true),
            0)
      << transcript;
  transcript = Normalized(transcript, text.root);
  for (const char* told : {"show", "model", "viewer", "runs"}) {
    EXPECT_EQ(ReadBack(told), Section(transcript, told)) << "what " << told << " tells differs";
  }
  EXPECT_EQ(ResultLines(textResults), ResultLines(text.edsa / "plant.txr"));
  EXPECT_EQ(ResultLines(work.edsa / "plant.clr"), ResultLines(text.edsa / "plant.clr"));
  for (const char* job : {"tour1.cpd", "tour1.cpr"}) {
    EXPECT_EQ(Normalized(ReadFileText(work.edsa / job), work.root), Normalized(ReadFileText(text.edsa / job), text.root))
        << job << " differs";
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  std::unique_ptr<VexQtVirtualDisplay> display;
  if (!VexQtIsDisplayAvailable()) display = std::make_unique<VexQtVirtualDisplay>();
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  // The EDSA module is loaded as the host program loads it; the session makes the application.
  if (!dlopen(VOLTARIA_EDSA_MODULE, RTLD_NOW | RTLD_LOCAL)) {
    std::fprintf(stderr, "cannot load the EDSA module: %s\n", dlerror());
    return 1;
  }
  return RUN_ALL_TESTS();
}
