#include <gtest/gtest.h>

#include "HostErrorExpectation.h"
#include "VexPlantText.h"

namespace {

VexPlantModel Read(const std::string& text) { return VexReadPlantText(text, "plant.txt"); }

TEST(PlantTextTest, ReadsEveryKindOfLine) {
  VexPlantModel model = Read(
      "\xEF\xBB\xBF# a comment\r\n"
      "element | TX1 | Equipment | Transformer 1500 kVA\r\n"
      "placement | TX1 | -1000 2000.5 0 | 1200 800 1600\n"
      "element | CD1 | Conduit | EMT 1 in\n"
      "route   | CD1 | 0 0 0 ; 6000 0 0 ; 6000 4000 1e3\n"
      "number  | CD1 | CableDiameter | 18.9\n"
      "text    | CD1 | SourceId | 2O2Fr$t4X7Zf8NOew3FLOH\n"
      "\n"
      "skipped | #12 IfcCableSegment | no placement\n"
      "note    | CD1 | no body\n"
      "other   | IfcWall | 12\n"
      "node    | BUS1\n"
      "link    | BUS1 | TX1\n");
  ASSERT_EQ(model.elements.size(), 2u);
  const VexImportedElement& tx = model.elements[0];
  EXPECT_EQ(tx.name, "TX1");
  EXPECT_EQ(tx.kind, VexElementKind::Equipment);
  EXPECT_EQ(tx.typeText, "Transformer 1500 kVA");
  ASSERT_TRUE(tx.placement);
  EXPECT_EQ(*tx.placement, (VexPlacement{{-1000, 2000.5, 0}, 1200, 800, 1600}));
  const VexImportedElement& cd = model.elements[1];
  EXPECT_EQ(cd.route, (std::vector<VexRoutePoint>{{0, 0, 0}, {6000, 0, 0}, {6000, 4000, 1000}}));
  EXPECT_EQ(cd.attributes, (std::vector<VexElementAttribute>{{"CableDiameter", 18.9},
                                                             {"SourceId", VexUnicodeString("2O2Fr$t4X7Zf8NOew3FLOH")}}));
  EXPECT_EQ(model.skipped, (std::vector<VexImportRemark>{{"#12 IfcCableSegment", "no placement"}}));
  EXPECT_EQ(model.notes, (std::vector<VexImportRemark>{{"CD1", "no body"}}));
  EXPECT_EQ(model.others.at("IfcWall"), 12);
  EXPECT_EQ(model.others.at("network entries of the EDSA project"), 2);
}

TEST(PlantTextTest, ALineAppliesToTheNearestElementOfItsNameAbove) {
  VexPlantModel model = Read(
      "element | W | Cable | a\ntext | W | SourceId | 1\nroute | W | 0 0 0 ; 1 0 0\n"
      "element | W | Cable | b\ntext | W | SourceId | 2\nroute | W | 0 0 0 ; 2 0 0\n");
  ASSERT_EQ(model.elements.size(), 2u);
  EXPECT_EQ(model.elements[0].route.back().x, 1);
  EXPECT_EQ(model.elements[1].route.back().x, 2);
}

struct BadText {
  const char* name;
  std::string text;
  int line;
  const char* says;
};

class PlantTextRefusal : public ::testing::TestWithParam<BadText> {};

TEST_P(PlantTextRefusal, NamesFileAndLine) {
  const BadText& bad = GetParam();
  try {
    Read(bad.text);
    FAIL() << "accepted";
  } catch (const VexInputError& error) {
    std::string text = error.GetMessageText().str();
    EXPECT_NE(text.find("plant.txt, line " + std::to_string(bad.line) + ":"), std::string::npos) << text;
    EXPECT_NE(text.find(bad.says), std::string::npos) << text;
  }
}

const std::string kMotor = "element | M1 | Equipment | motor\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, PlantTextRefusal,
    ::testing::Values(
        BadText{"UnknownEntry", kMotor + "colour | M1 | red\n", 2, "\"colour\" is not an entry"},
        BadText{"UnknownKind", "element | X | Pipe | steel\n", 1, "unknown kind \"Pipe\""},
        BadText{"MissingField", "element | X | Tray\n", 1, "expected element |"},
        BadText{"EmptyName", "element |  | Tray | t\n", 1, "the name is empty"},
        BadText{"NoElementAbove", "route | CD1 | 0 0 0 ; 1 0 0\n" + kMotor, 1, "no element \"CD1\" above"},
        BadText{"NotANumber", kMotor + "number | M1 | Power | 75 kW\n", 2, "\"75 kW\" is not a number"},
        BadText{"NotFinite", kMotor + "number | M1 | Power | nan\n", 2, "\"nan\" is not a number"},
        BadText{"TwoCoordinates", kMotor + "placement | M1 | 0 0 | 1 1 1\n", 2, "three numbers"},
        BadText{"AbsurdCoordinate", kMotor + "placement | M1 | 0 0 1e12 | 1 1 1\n", 2, "out of any plant"},
        BadText{"NegativeSize", kMotor + "placement | M1 | 0 0 0 | 1 -1 1\n", 2, "cannot be negative"},
        BadText{"OnePointRoute", kMotor + "route | M1 | 0 0 0\n", 2, "at least two points"},
        BadText{"FractionalCount", "other | IfcWall | 1.5\n", 1, "whole number"},
        BadText{"DuplicateName", kMotor + "\n" + kMotor, 3, "a second element called \"M1\" (the first is on line 1)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlantTextTest, WrittenTextReadsBackAsTheSameModel) {
  VexPlantModel model;
  VexImportedElement tray;
  tray.name = "TR|1\nupper";  // a name no field can hold as it is
  tray.kind = VexElementKind::Tray;
  tray.typeText = "Ladder tray 300 mm";
  tray.route = {{0.1 + 0.2, -1e-7, 123456789.123}, {1.0 / 3, 2, 3}};
  tray.Put({"CarrierWidth", 300.0});
  tray.Put({kVexSourceIdAttribute, VexUnicodeString("3vB2YO$MX4xv5uCqZZG05x")});
  VexImportedElement board;
  board.name = "DB1";
  board.kind = VexElementKind::Equipment;
  board.placement = VexPlacement{{1.5, 2.25, -3}, 600, 400, 2000};
  board.Put({"Tag", VexUnicodeString("")});
  model.elements = {tray, board};
  model.skipped = {{"#7 IFCELECTRICDISTRIBUTIONPOINT", "older schema"}};
  VexImportedElement blank;  // a name of blanks only still names its lines
  blank.name = "  ";
  blank.route = {{0, 0, 0}, {1, 0, 0}};
  model.elements.push_back(blank);
  model.others = {{"IfcWall", 3}};

  VexPlantModel back = Read(VexWritePlantText(model));
  ASSERT_EQ(back.elements.size(), 3u);
  EXPECT_EQ(back.elements[2].route, blank.route);
  EXPECT_EQ(back.elements[0].name, "TR/1 upper");
  EXPECT_EQ(back.elements[0].route, tray.route) << "numbers are written to read back exactly";
  EXPECT_EQ(back.elements[0].attributes, tray.attributes);
  EXPECT_EQ(back.elements[1].placement, board.placement);
  EXPECT_EQ(back.elements[1].typeText, "") << "an empty text stays empty";
  EXPECT_EQ(back.elements[1].attributes, board.attributes);
  EXPECT_EQ(back.skipped, model.skipped);
  EXPECT_EQ(back.others, model.others);
}

}  // namespace

namespace {

// Damaged texts, made by flipping, cutting and repeating bytes of a good one, either read or are
// refused as input errors: never a crash, never another kind of failure.
TEST(PlantTextTest, DamagedTextIsReadOrRefusedNeverWorse) {
  const std::string good =
      "element | TX1 | Equipment | Transformer\nplacement | TX1 | 0 0 0 | 1200 800 1600\n"
      "element | CD1 | Conduit | EMT\nroute | CD1 | 0 0 0 ; 6000 0 1e3\nnumber | CD1 | CableDiameter | 18.9\n"
      "text | CD1 | SourceId | abc\nother | IfcWall | 3\nnode | BUS1\n";
  const std::string bytes = "|;# \n\r0.e-+x\xff\xef\xbb\xbf";
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string text = good;
    for (int change = 0, changes = 1 + next() % 4; change < changes; ++change) {
      std::size_t at = next() % text.size();
      switch (next() % 3) {
        case 0: text[at] = bytes[next() % bytes.size()]; break;
        case 1: text.erase(at, next() % 8); break;
        default: text.insert(at, text.substr(next() % text.size(), next() % 12)); break;
      }
      if (text.empty()) text = "x";
    }
    try {
      VexReadPlantText(text, "damaged.txt");
    } catch (const VexInputError& error) {
      ++refused;
      EXPECT_NE(error.GetMessageText().str().find("damaged.txt, line "), std::string::npos);
    }
  }
  EXPECT_GT(refused, 100) << "the damage reached the reader's checks";
}

}  // namespace
