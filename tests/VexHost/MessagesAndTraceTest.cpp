#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexMsgCatalog.h"
#include "VexResourceFile.h"
#include "VexTrace.h"

namespace {

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("TestCatalog.catalog",
                 "# test catalog\n"
                 "Plain = Hello there  \n"
                 "Quoted = \"  keeps blanks  \"\n"
                 "Escapes = one\\ntwo\\t\\\"q\\\" \\\\\n"
                 "not an entry line\n");
    VexResourceFile::SetSearchPath(folder.Path().string());
  }
  void TearDown() override {
    const char* env = std::getenv("VEX_RESOURCE_PATH");
    VexResourceFile::SetSearchPath(env ? env : "");
  }
  VexUnicodeString Text(const char* key) {
    VexMsgCatalog catalog;
    catalog.LoadMsgCatalog("TestCatalog", nullptr);
    return catalog.GetCatalogMsg(key).BuildMessage(nullptr);
  }
  TestFolder folder;
};

}  // namespace

TEST_F(MessagesTest, ReadsPlainQuotedAndEscapedValues) {
  EXPECT_EQ(Text("Plain"), VexUnicodeString("Hello there"));
  EXPECT_EQ(Text("Quoted"), VexUnicodeString("  keeps blanks  "));
  EXPECT_EQ(Text("Escapes"), VexUnicodeString("one\ntwo\t\"q\" \\"));
  auto file = VexResourceFile::Load("TestCatalog.catalog");
  ASSERT_TRUE(file);
  EXPECT_EQ(file->GetProblems().size(), 1u) << "the malformed line is reported, not fatal";
}

TEST_F(MessagesTest, MissingKeyOrCatalogBuildsTheKeyInBrackets) {
  EXPECT_EQ(Text("NoSuchKey"), VexUnicodeString("[NoSuchKey]"));
  VexMsgCatalog missing;
  EXPECT_EQ(missing.LoadMsgCatalog("NoSuchCatalog", nullptr), 1);
  EXPECT_EQ(missing.GetCatalogMsg("Plain").BuildMessage(nullptr), VexUnicodeString("[Plain]"));
}

TEST(VexTraceTest, CapturesLinesAndWritesOnlySwitchedOnChannels) {
  VexTrace quiet("TESTQUIET", "Quiet Trace", 0, "STDERR", 1024);
  VexTrace::SwitchOn("TESTLOUD");
  VexTrace loud("TESTLOUD", "Loud Trace", 1, "STDOUT", 1024);
  EXPECT_FALSE(quiet.IsOn());
  EXPECT_TRUE(loud.IsOn());

  VexTraceCapture capture;
  testing::internal::CaptureStdout();
  loud.TraPutLN(2, "--> VexGrdPanel : SelTab");
  loud.TraPutLN(2, "Selected Tab:", 3L);
  quiet.TraPutLN(3, "Duplicate Association Averted");
  std::string written = testing::internal::GetCapturedStdout();
  VexTrace::SwitchOn("");

  EXPECT_EQ(written, "TESTLOUD: --> VexGrdPanel : SelTab\nTESTLOUD: Selected Tab: 3\n");
  EXPECT_TRUE(capture.Contains("Selected Tab: 3"));
  EXPECT_TRUE(capture.Contains("Duplicate Association Averted")) << "captured though not written";
  ASSERT_EQ(capture.Lines().size(), 3u);
  EXPECT_EQ(capture.Lines()[2].channel, "TESTQUIET");
  EXPECT_EQ(capture.Lines()[2].level, 3);
}
