// The host program's command line and command language, and how it meets bad use: one clear line,
// a non-zero exit, nothing written to the document.
#include <gtest/gtest.h>

#include <algorithm>

#include "RingNetwork.h"
#include "ScriptInterpreter.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexGrdProject.h"
#include "VoltariaHost.h"
#include "VoltariaOptions.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

VoltariaOptions Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "voltaria");
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  return VoltariaOptions::Parse(static_cast<int>(argv.size()), argv.data());
}

struct ProgramRun {
  int status;
  std::string output;
};

ProgramRun Voltaria(const std::vector<std::string>& arguments) {
  ProgramRun run;
  run.status = RunProgram(VOLTARIA_PROGRAM, arguments, {}, &run.output);
  return run;
}

int LineCount(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(VoltariaOptionsTest, ReadsOptionsAndRefusesBadOnes) {
  VoltariaOptions options = Parse({"--plant", "a.vxd", "--script=s.txt", "--edsa", "/opt/edsa"});
  EXPECT_EQ(*options.plant, "a.vxd");
  EXPECT_EQ(*options.script, "s.txt");
  EXPECT_EQ(*options.edsa, "/opt/edsa");
  EXPECT_FALSE(options.IsTour());
  EXPECT_TRUE(Parse({}).IsTour());
  EXPECT_TRUE(Parse({"--text"}).text);
  EXPECT_FALSE(Parse({}).text);
  EXPECT_EQ(*Parse({"--screenshots", "pictures"}).screenshots, "pictures");
  EXPECT_TRUE(Parse({"--text"}).IsTour());  // the text tour, even with a display
  VoltariaOptions imports = Parse({"--new-plant", "p.vxd", "--import", "a.ifc", "--import=b.txt"});
  EXPECT_EQ(imports.imports, (std::vector<std::string>{"a.ifc", "b.txt"})) << "in the order given";
  EXPECT_FALSE(imports.IsTour());
  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--plant"}, {"--colour", "red"}, {"--plant="}, {"--plant", "a", "--new-plant", "b"},
           {"--screenshots"}, {"--text", "--screenshots", "d"}, {"--plant", "p.vxd", "--import"},
           {"--import", "a.ifc"}}) {
    EXPECT_THROW(Parse(bad), std::invalid_argument) << bad[0];
  }
}

TEST(ScriptInterpreterTest, SplitsWordsWithQuotesAndComments) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(ScriptInterpreter::SplitWords("type MasterFileEdt \"/my plant/a.mas\"  # the file"),
            (Words{"type", "MasterFileEdt", "/my plant/a.mas"}));
  EXPECT_EQ(ScriptInterpreter::SplitWords("type X \"\""), (Words{"type", "X", ""}));
  EXPECT_EQ(ScriptInterpreter::SplitWords("select L BUS1#2"), (Words{"select", "L", "BUS1#2"}));
  EXPECT_TRUE(ScriptInterpreter::SplitWords("   # only a comment").empty());
  EXPECT_THROW(ScriptInterpreter::SplitWords("type X \"open"), std::invalid_argument);
}

class BadUseTest : public ::testing::Test {
 protected:
  void SetUp() override { work = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, folder.Path()); }
  ProgramRun Script(const std::string& text) {
    fs::path script = folder.Write("script.vscript", text);
    return Voltaria({"--plant", work.plant.string(), "--settings", work.settings.string(), "--script",
                     script.string()});
  }
  TestFolder folder;
  WorkFolder work;
};

TEST_F(BadUseTest, AMissingPlantIsOneClearLine) {
  ProgramRun run = Voltaria({"--plant", (folder / "nowhere.vxd").string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(LineCount(run.output), 0) << "the message goes to standard error, not the transcript";
}

TEST_F(BadUseTest, AFileThatIsNotADocumentIsRefusedAndLeftAsItWas) {
  fs::path notes = folder.Write("notes.vxd", "these are my notes, not a plant\n");
  std::string before = ReadFileText(notes);
  ProgramRun run = Voltaria({"--plant", notes.string(), "--settings", work.settings.string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(ReadFileText(notes), before);
  EXPECT_FALSE(fs::exists(notes.string() + "-wal"));
}

// A synchronization whose commit fails on a full disk is rolled back in the document and the
// model; the panel's registry and lists, which only the module rebuilds, once kept the 3,000 new
// nodes, so that no later Synchronize asked anything. The host starts the command again.
TEST_F(BadUseTest, AfterACommitThatFailedThePanelStartsAgainShowingThePlantAsItIs) {
  WriteRingNetwork(work.edsa);
  const fs::path script = folder.Write("sync.vscript",
                                       "type MasterFileEdt \"$PLANT_DIR/edsa/big.mas\"\n"
                                       "answer yes\nanswer no\npush Synchronize\n");
  const std::string document = ReadFileText(work.plant);
  // The document's log may grow by what a few small events write, not by a whole network.
  const rlim_t limit = static_cast<rlim_t>(document.size()) + 96 * 1024;
  ProgramRun run;
  {
    ScopedFileSizeLimit full(limit);
    run.status = RunProgram(VOLTARIA_PROGRAM, {"--plant", work.plant.string(), "--settings",
                                               work.settings.string(), "--script", script.string()},
                            {}, &run.output, true);
  }

  EXPECT_EQ(run.status, 1) << run.output;
  const std::string reason = "The last change could not be saved in the plant document";
  const std::size_t restart = run.output.find(reason);
  ASSERT_NE(restart, std::string::npos) << run.output;
  const std::string message = "The EDSA panel was closed, with its settings saved, and opened again";
  std::size_t told = run.output.find(message);
  ASSERT_NE(told, std::string::npos) << run.output;
  EXPECT_EQ(run.output.find(message, told + 1), std::string::npos) << "one message";
  const std::size_t closed = run.output.find("window: - EDSA Electrical Network", restart);
  ASSERT_NE(closed, std::string::npos) << run.output;
  EXPECT_NE(run.output.find("window: + EDSA Electrical Network", closed), std::string::npos)
      << "a new panel opens after the old one closed: " << run.output;
  EXPECT_GT(told, restart);
  EXPECT_EQ(run.output.find("Cannot"), std::string::npos) << run.output;

  auto reopened = VexDocument::Open(VexUnicodeString(work.plant.string()));
  EXPECT_FALSE(VexGrdProject(reopened.get()).SearchForNodeId(VexUnicodeString("NEW10000")))
      << "the failed synchronization left nothing in the document";
}

TEST_F(BadUseTest, APlantThatCannotBeOpenedIsExplainedNotReportedInLibraryWords) {
  const fs::path loop = folder / "loop.vxd";
  fs::create_symlink(loop, loop);
  auto held = VexDocument::Open(VexUnicodeString(work.plant.string()));  // another session
  struct Case {
    const char* name;
    fs::path plant;
    const char* expected;
  };
  const Case cases[] = {
      {"a loop of links", loop, "is a symbolic link that leads, through other links, back to itself"},
      {"open in another session", work.plant, "is open in another Voltaria session"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string output;
    int status = RunProgram(VOLTARIA_PROGRAM, {"--plant", c.plant.string(), "--settings",
                                               work.settings.string()},
                            {}, &output, true);
    EXPECT_EQ(status, 2);
    EXPECT_NE(output.find(c.expected), std::string::npos) << output;
    EXPECT_NE(output.find(c.plant.string()), std::string::npos) << "names the plant: " << output;
    EXPECT_EQ(output.find("filesystem error"), std::string::npos) << output;
  }
}

TEST_F(BadUseTest, ScriptErrorsStopTheScriptAndWriteNothing) {
  struct Case {
    const char* name;
    const char* script;
    const char* expected;
  };
  const Case cases[] = {
      {"unknown command", "tab Associate\nfrobnicate now\npush Synchronize\n", "unknown command \"frobnicate\""},
      {"unknown widget", "push NoSuchButton\n", "No widget NoSuchButton"},
      {"unknown object", "pick BUS9\n", "no node, branch or plant element called BUS9"},
      {"bad row", "tab Navigator\nselect NodeMultiList lots\n", "the list NodeMultiList has no row \"lots\""},
      {"row out of range", "tab Navigator\nselect NodeMultiList 99\n",
       "the list NodeMultiList has no row 99 (it has 4, numbered from 0)"},
      {"a name two hidden widgets share", "tab Analysis\ncheck ShowAllCheck on\n",
       "\"ShowAllCheck\" names 2 widgets: Associate/ShowAllCheck, Navigator/ShowAllCheck"},
  };
  std::string document = ReadFileText(work.plant);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRun run = Script(c.script);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(std::string("error: ") + c.expected), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("push Synchronize"), std::string::npos) << "the script stops at the error";
  }
  EXPECT_EQ(ReadFileText(work.plant), document) << "no failed command wrote to the document";
}

TEST_F(BadUseTest, AModelThatCannotBeImportedStopsTheProgramAndLeavesTheNewPlantEmpty) {
  auto model = folder.Write("site.ifc", "ISO-10303-21;\nHEADER;\nFILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n#1=IFCWALL(");
  auto plant = folder / "plant.vxd";
  std::string output;
  int status = RunProgram(VOLTARIA_PROGRAM, {"--new-plant", plant.string(), "--import", model.string(), "--settings",
                                             work.settings.string(), "--script", "/dev/null"},
                          {}, &output, true);
  EXPECT_EQ(status, 1);
  EXPECT_NE(output.find("voltaria: The model " + model.string() + " cannot be imported: it is truncated"),
            std::string::npos)
      << output;
  EXPECT_EQ(VexDocument::Open(plant.string().c_str())->GetElementCount(), 0);
}

TEST_F(BadUseTest, AScriptMustBeAFileAndMayStartWithAByteOrderMark) {
  ProgramRun folderRun = Voltaria({"--plant", work.plant.string(), "--settings", work.settings.string(),
                                   "--script", folder.Path().string()});
  EXPECT_EQ(folderRun.status, 2) << "a folder is no script";

  ProgramRun marked = Script("\xEF\xBB\xBFtab Navigator\necho played\n");
  EXPECT_EQ(marked.status, 0) << marked.output;
  EXPECT_NE(marked.output.find("page: Navigator"), std::string::npos) << marked.output;
}

// The names the transcript prints can be typed back; a short name shared by widgets of several
// pages means the one on the page shown.
TEST_F(BadUseTest, WidgetsAreFoundByTheNamesTheTranscriptPrints) {
  ProgramRun run = Script(
      "tab Navigator\n"
      "check Navigator/ShowAllCheck on\n"
      "check ShowAllCheck off\n"
      "tab Associate\n"
      "check ShowAllCheck on\n"
      "show Associate/ShowAllCheck\n");
  ASSERT_EQ(run.status, 0) << run.output;
  const struct {
    const char* command;
    const char* change;
  } steps[] = {
      {"check Navigator/ShowAllCheck on", "Navigator/ShowAllCheck: checked"},
      {"check ShowAllCheck off", "Navigator/ShowAllCheck: not checked"},
      {"check ShowAllCheck on", "Associate/ShowAllCheck: checked"},
  };
  std::size_t at = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.command);
    at = run.output.find(std::string("> ") + step.command + "\n", at);
    ASSERT_NE(at, std::string::npos) << run.output;
    // What a command changed is printed below it, up to the blank line before the next one.
    std::string changes = run.output.substr(at, run.output.find("\n\n", at) - at);
    EXPECT_NE(changes.find(step.change), std::string::npos) << changes;
    ++at;
  }
}

TEST(ShellQuotedTest, ThePrintedWordReadsBackThroughTheShell) {
  for (const std::string word : {"/usr/bin/voltaria", "my plant", "it's \"ours\"", "a  b # c $HOME",
                                 "Ünïcødé", "", "`x`;\\"}) {
    SCOPED_TRACE(word);
    std::string output;
    ASSERT_EQ(RunProgram("/bin/sh", {"-c", "printf '%s|' " + ShellQuoted(word)}, {}, &output), 0);
    EXPECT_EQ(output, word + "|");
  }
  EXPECT_EQ(ShellQuoted("/plain/path.vxd"), "/plain/path.vxd") << "plain words stay as they are";
}

namespace {

// A folder whose name has what breaks careless programs: blanks (two in a row), quotes, " # ",
// '$' and letters beyond ASCII, at least `length` characters in all.
fs::path AwkwardFolder(const fs::path& parent, std::size_t length) {
  std::string name = "plänt \"A\"  it's # $x ";
  fs::path folder = parent / name;
  while (folder.string().size() < length) folder /= "Ünïcødé 'sub' \"dir\"";
  fs::create_directories(folder);
  return folder;
}

}  // namespace

// $PLANT_DIR names the plant's folder however it is spelled, also when --plant was relative.
TEST(PlantFolderTest, ScriptsFindThePlantsFolderWhateverItsName) {
  TestFolder folder;
  WorkFolder work = WorkFolder::CreateFromSample(VOLTARIA_SAMPLE_PLANT, AwkwardFolder(folder.Path(), 60));
  fs::path script = folder.Write("script.vscript",
                                 "echo [$PLANT_DIR]\n"
                                 "file $PLANT_DIR/edsa/fanless.mas\n"
                                 "push SelEdsaFile\n"
                                 "push ViewOneLineDiagram\n");
  ProgramRun run;
  {
    ScopedCurrentFolder inPlant(work.root);
    run.status = RunProgram(VOLTARIA_PROGRAM, {"--plant", "plant.vxd", "--settings", "settings",
                                               "--script", script.string()},
                            {}, &run.output);
  }
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("[" + work.root.string() + "]"), std::string::npos) << run.output;
  // The report quotes an argument with blanks.
  EXPECT_NE(run.output.find("winedsa.exe \"" + (work.edsa / "fanless.mas").string() + "\" /diagram 1"),
            std::string::npos)
      << run.output;
}

// The main job as a new user meets it: run from a folder of 200 characters with blanks, quotes
// and letters beyond ASCII, on a copy whose EDSA project is its own, ending with a command that
// can be pasted.
TEST(TourTest, PlaysFromAnyFolderOnItsOwnCopyAndEndsWithACommandThatPastes) {
  TestFolder folder;
  const fs::path start = AwkwardFolder(folder.Path(), 200);
  ProgramRun run;
  {
    ScopedCurrentFolder inStart(start);
    run.status = RunProgram(VOLTARIA_PROGRAM, {}, {}, &run.output);
  }
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("The tour is over."), std::string::npos) << run.output;
  std::vector<fs::path> tours;
  for (const auto& entry : fs::directory_iterator(start / "voltaria-work")) tours.push_back(entry.path());
  ASSERT_EQ(tours.size(), 1u);
  const fs::path copy = tours.front();
  EXPECT_NE(run.output.find("winedsa.exe " + (copy / "edsa/plant.mas").string()), std::string::npos)
      << "the copy's own master file: " << run.output;
  EXPECT_EQ(run.output.find(VOLTARIA_SAMPLE_PLANT), std::string::npos) << "nothing of the build's sample";

  // The closing command, read back by the shell, is the program, the copy and its settings.
  std::size_t at = run.output.find("To go on by hand");
  ASSERT_NE(at, std::string::npos);
  std::size_t begin = run.output.find('\n', at) + 1;
  std::string command = run.output.substr(begin, run.output.find('\n', begin) - begin);
  std::string words;
  ASSERT_EQ(RunProgram("/bin/sh", {"-c", "for word in " + command + "; do printf '%s|' \"$word\"; done"},
                       {}, &words),
            0);
  EXPECT_EQ(words, fs::path(VOLTARIA_PROGRAM).string() + "|--plant|" + (copy / "plant.vxd").string() +
                       "|--settings|" + (copy / "settings").string() + "|");
}
