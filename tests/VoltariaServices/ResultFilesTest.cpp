#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexGrdColorResultFile.h"
#include "VexGrdTextResultFile.h"
#include "VexTrace.h"

namespace {

VexUnicodeString PathOf(const std::filesystem::path& path) { return path.string().c_str(); }

std::vector<std::string> ServiceTraceLines(const VexTraceCapture& capture) {
  std::vector<std::string> lines;
  for (const auto& line : capture.Lines()) {
    if (line.channel == "GRDSRV") lines.push_back(line.text);
  }
  return lines;
}

VexListValVexUnicodeString List(std::initializer_list<VexUnicodeString> items) { return items; }

}  // namespace

TEST(TextResultFileTest, SectionsAndLinesInFileOrder) {
  TestFolder folder;
  folder.Write("n.txr",
               "# load flow\r\n[BUS2]\r\nVoltage = 0.982 pu\r\n\r\n  Angle = -2.4 deg  \r\n"
               "[ BUS1->BUS2 ]\nCurrent = 212 A\n[EMPTY]\n[BUS2]\nLoad = 1.2 MW\n");
  VexTraceCapture capture;
  auto results = VexGrdTextResultFile::Read(PathOf(folder / "n.txr"));
  EXPECT_EQ(results.GetIdentifiers(), List({"BUS2", "BUS1->BUS2"}));
  EXPECT_EQ(results.GetLines("BUS2"),
            List({"Voltage = 0.982 pu", "  Angle = -2.4 deg", "Load = 1.2 MW"}));
  EXPECT_EQ(results.GetLines("BUS1->BUS2"), List({"Current = 212 A"}));
  EXPECT_EQ(results.GetLines("EMPTY").Size(), 0);
  EXPECT_TRUE(ServiceTraceLines(capture).empty());
}

TEST(TextResultFileTest, MissingOrMalformedFileGivesNoResultsAndOneTraceLine) {
  struct Case {
    const char* name;
    const char* content;  // null: no file
    const char* where;
  };
  const Case cases[] = {
      {"missing file", nullptr, "n.txr"},
      {"line before any section", "Voltage = 1\n[BUS1]\nA\n", "line 1"},
      {"unclosed section", "[BUS1]\nA\n[BUS2\nB\n", "line 3"},
      {"section without a name", "[BUS1]\nA\n[  ]\nB\n", "line 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    if (c.content) folder.Write("n.txr", c.content);
    VexTraceCapture capture;
    auto results = VexGrdTextResultFile::Read(PathOf(folder / "n.txr"));
    EXPECT_EQ(results.GetIdentifiers().Size(), 0);
    EXPECT_EQ(results.GetLines("BUS1").Size(), 0);
    auto lines = ServiceTraceLines(capture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find((folder / "n.txr").string()), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(c.where), std::string::npos) << lines[0];
  }
}

TEST(ColorResultFileTest, ColoursByIdentifierLastOneCounts) {
  TestFolder folder;
  folder.Write("n.clr", "# colours\r\nBUS1 255 0 0\r\n\tBUS1->BUS2\t0 128 255\r\n\nBUS1 0 255 0\n");
  auto results = VexGrdColorResultFile::Read(PathOf(folder / "n.clr"));
  EXPECT_EQ(results.GetIdentifiers(), List({"BUS1", "BUS1->BUS2"}));
  VexGrdRgb color;
  ASSERT_TRUE(results.GetColor("BUS1", &color));
  EXPECT_EQ(color, (VexGrdRgb{0, 255, 0}));
  ASSERT_TRUE(results.GetColor("BUS1->BUS2", &color));
  EXPECT_EQ(color, (VexGrdRgb{0, 128, 255}));
  EXPECT_FALSE(results.GetColor("BUS3", &color));
}

TEST(ColorResultFileTest, MalformedLinesGiveNoResultsAndOneTraceLine) {
  struct Case {
    const char* name;
    const char* badLine;
  };
  const Case cases[] = {{"three fields", "BUS2 1 2"},
                        {"five fields", "BUS2 1 2 3 4"},
                        {"above 255", "BUS2 256 0 0"},
                        {"negative", "BUS2 -1 0 0"},
                        {"not a number", "BUS2 red 0 0"},
                        {"fraction", "BUS2 1.5 0 0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    folder.Write("n.clr", std::string("BUS1 1 2 3\n") + c.badLine + "\n");
    VexTraceCapture capture;
    auto results = VexGrdColorResultFile::Read(PathOf(folder / "n.clr"));
    EXPECT_EQ(results.GetIdentifiers().Size(), 0);
    EXPECT_FALSE(results.GetColor("BUS1", nullptr));
    auto lines = ServiceTraceLines(capture);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("line 2"), std::string::npos) << lines[0];
  }
}
