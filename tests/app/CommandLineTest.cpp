// The host program's command line and command language, and how it meets bad use: one clear line,
// a non-zero exit, nothing written to the document.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ScriptInterpreter.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VoltariaOptions.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

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
  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"--plant"}, {"--colour", "red"}, {"--plant="}, {"--plant", "a", "--new-plant", "b"}}) {
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
  std::string before = ReadBytes(notes);
  ProgramRun run = Voltaria({"--plant", notes.string(), "--settings", work.settings.string()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(ReadBytes(notes), before);
  EXPECT_FALSE(fs::exists(notes.string() + "-wal"));
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
  };
  std::string document = ReadBytes(work.plant);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramRun run = Script(c.script);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(std::string("error: ") + c.expected), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("push Synchronize"), std::string::npos) << "the script stops at the error";
  }
  EXPECT_EQ(ReadBytes(work.plant), document) << "no failed command wrote to the document";
}
