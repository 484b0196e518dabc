// IFC models written by the tests, read through the model reader program and applied to a
// document: every coordinate is checked to 0.1 mm against values worked out by hand.
#include <gtest/gtest.h>

#include "HostErrorExpectation.h"
#include "ImportedElementExpectations.h"
#include "StepText.h"
#include "TestFolder.h"
#include "VexDocumentTransaction.h"
#include "VexPlantImport.h"
#include "VexPlantModelReader.h"
#include "VexScriptedUser.h"
#include "VexSession.h"

namespace {

std::string Element(StepText& ifc, const std::string& entity, const std::string& name, int placement, int shape,
                    const std::string& tail) {
  return entity + "(" + StepText::Guid(name) + ",$,'" + name + "',$,$," + (placement ? ifc.Ref(placement) : "$") +
         "," + (shape ? ifc.Ref(shape) : "$") + ",$" + tail + ")";
}

// A tray run of two segments joined by a bend fitting, a motor turned a quarter turn, a board,
// a cable without placement and a wall, all under a storey placed at (100 200 300).
std::string TrayRunModel(double motorX, bool withBoard) {
  StepText ifc("IFC4", "MILLI");
  int storey = ifc.Placement(0, 100, 200, 300);
  int tr1 = ifc.Add(Element(ifc, "IFCCABLECARRIERSEGMENT", "TR1", ifc.Placement(storey, 0, 0, 0),
                            ifc.Shape("Axis", {ifc.Polyline({{0, 0, 0}, {5000, 0, 0}})}), ",.CABLETRAYSEGMENT."));
  ifc.LengthProperties(tr1, {{"NominalWidth", 300}, {"NominalHeight", 100}});
  // The second segment has only a body: a box extruded along +y from (5300 300 0).
  int along = ifc.Axes(0, 0, 0, "(0.,1.,0.)", "(1.,0.,0.)");
  ifc.Add(Element(ifc, "IFCCABLECARRIERSEGMENT", "TR2", ifc.Placement(storey, 5300, 300, 0),
                  ifc.Shape("Body", {ifc.ExtrudedBox(along, 300, 100, 3700)}), ",.CABLETRAYSEGMENT."));
  int box = ifc.Add("IFCBOUNDINGBOX(" + ifc.Ref(ifc.Point(0, 0, 0)) + ",470.,470.,120.)");
  ifc.Add(Element(ifc, "IFCCABLECARRIERFITTING", "BEND1", ifc.Placement(storey, 4990, -160, -60),
                  ifc.Shape("Body", {box}), ",.BEND."));
  int turned = ifc.Placement(storey, motorX, 2000, 0, "(0.,0.,1.)", "(0.,1.,0.)");
  ifc.Add(Element(ifc, "IFCELECTRICMOTOR", "M1", turned,
                  ifc.Shape("Body", {ifc.ExtrudedBox(ifc.Axes(0, 0, 0), 400, 200, 500)}), ",.INDUCTION."));
  if (withBoard) {
    ifc.Add(Element(ifc, "IFCELECTRICDISTRIBUTIONBOARD", "DB1", ifc.Placement(storey, -2000, 0, 0),
                    ifc.Shape("Body", {ifc.ExtrudedBox(ifc.Axes(300, 150, 0), 600, 300, 2000)}), ",.SWITCHBOARD."));
  }
  int cable = ifc.Add(Element(ifc, "IFCCABLESEGMENT", "W1", 0, 0, ",.CABLESEGMENT."));
  ifc.LengthProperties(cable, {{"OverallDiameter", 28.6}});
  ifc.Add(Element(ifc, "IFCWALL", "Wall", 0, 0, ",$"));
  return ifc.Text();
}

// A conduit run in feet written in the older schema: generic flow segments typed as conduits, one
// with an axis, one with a swept disk body; a switch typed as such; an entity the library lacks.
std::string ConduitRunInFeet() {
  StepText ifc("IFC2X3", "FOOT");
  int conduitType = ifc.Add("IFCCABLECARRIERSEGMENTTYPE(" + StepText::Guid("EMT") + ",$,'EMT 1 in',$,$,$,$,$,$,.CONDUITSEGMENT.)");
  int cd1 = ifc.Add("IFCFLOWSEGMENT(" + StepText::Guid("CD1") + ",$,'CD1',$,$," + ifc.Ref(ifc.Placement(0, 10, 0, 0)) + "," +
                    ifc.Ref(ifc.Shape("Axis", {ifc.Polyline({{0, 0, 0}, {0, 20, 0}})})) + ",$)");
  int directrix = ifc.Polyline({{0, 0, 0}, {0, 0, 10}});
  int disk = ifc.Add("IFCSWEPTDISKSOLID(" + ifc.Ref(directrix) + ",0.05,$,$,$)");
  int cd2 = ifc.Add("IFCFLOWSEGMENT(" + StepText::Guid("CD2") + ",$,'CD2',$,$," + ifc.Ref(ifc.Placement(0, 10, 20, 0)) + "," +
                    ifc.Ref(ifc.Shape("Body", {disk})) + ",$)");
  ifc.Typed({cd1, cd2}, conduitType);
  ifc.LengthProperties(cd1, {{"CableDiameter", 0.062}, {"NominalDiameter", 1.0 / 12}});
  // An elbow at the corner, typed as a cable carrier fitting, stating its radius: one foot.
  int elbowType = ifc.Add("IFCCABLECARRIERFITTINGTYPE(" + StepText::Guid("ELT") + ",$,'Elbow',$,$,$,$,$,$,.BEND.)");
  int elbowBox = ifc.Add("IFCBOUNDINGBOX(" + ifc.Ref(ifc.Point(-0.5, -0.5, -0.5)) + ",1.,1.,1.)");
  int elbow = ifc.Add("IFCFLOWFITTING(" + StepText::Guid("EL1") + ",$,'EL1',$,$," + ifc.Ref(ifc.Placement(0, 10, 20, 0)) +
                      "," + ifc.Ref(ifc.Shape("Body", {elbowBox})) + ",$)");
  ifc.Typed({elbow}, elbowType);
  ifc.LengthProperties(elbow, {{"BendRadius", 1}});
  int switchType = ifc.Add("IFCSWITCHINGDEVICETYPE(" + StepText::Guid("SWT") + ",$,'Disconnect 100 A',$,$,$,$,$,$,.SWITCHDISCONNECTOR.)");
  int box = ifc.Add("IFCBOUNDINGBOX(" + ifc.Ref(ifc.Point(1, 2, 3)) + ",2.,1.,4.)");
  int sw = ifc.Add("IFCFLOWCONTROLLER(" + StepText::Guid("SW1") + ",$,'SW1',$,$," + ifc.Ref(ifc.Placement(0, 0, 0, 0)) + "," +
                   ifc.Ref(ifc.Shape("Body", {box})) + ",$)");
  ifc.Typed({sw}, switchType);
  ifc.Add("IFCELECTRICDISTRIBUTIONPOINT(" + StepText::Guid("DP1") + ",$,'DP1',$,$,$,$,$,.SWITCHBOARD.,$)");
  // A cable and an outlet, each a generic occurrence made electrical by its type.
  int cableType = ifc.Add("IFCCABLESEGMENTTYPE(" + StepText::Guid("CBT") + ",$,'Cu 4x16',$,$,$,$,$,$,.CABLESEGMENT.)");
  int cable = ifc.Add("IFCFLOWSEGMENT(" + StepText::Guid("W1") + ",$,'W1',$,$," + ifc.Ref(ifc.Placement(0, 0, 0, 1)) + "," +
                      ifc.Ref(ifc.Shape("Axis", {ifc.Polyline({{0, 0, 0}, {5, 0, 0}})})) + ",$)");
  ifc.Typed({cable}, cableType);
  int outletType = ifc.Add("IFCOUTLETTYPE(" + StepText::Guid("OUT") + ",$,'Socket 16 A',$,$,$,$,$,$,.POWEROUTLET.)");
  int outlet = ifc.Add("IFCFLOWTERMINAL(" + StepText::Guid("S1") + ",$,'S1',$,$,$,$,$)");
  ifc.Typed({outlet}, outletType);
  return ifc.Text();
}

class IfcImportTest : public ::testing::Test {
 protected:
  VexPlantModel ReadModel(const std::string& name, const std::string& text) {
    return VexPlantModelReader::Read(folder.Write(name, text).string().c_str());
  }
  TestFolder folder;
};

TEST_F(IfcImportTest, TrayRunWithAFittingIsOneRouteWithOneBend) {
  VexPlantModel model = ReadModel("trays.ifc", TrayRunModel(1000, true));
  const VexImportedElement& tr1 = Find(model, "TR1");
  const VexImportedElement& tr2 = Find(model, "TR2");
  EXPECT_EQ(tr1.kind, VexElementKind::Tray);
  // Both ends inside the fitting move to where the axes meet: (5300 0 0) on the storey.
  ExpectRoute(tr1, {{100, 200, 300}, {5400, 200, 300}});
  ExpectRoute(tr2, {{5400, 200, 300}, {5400, 4200, 300}});
  // Tangents of 300 mm at a quarter turn: radius 300 mm, on both segments.
  EXPECT_NEAR(Number(tr1, "BendRadius").value_or(0), 300, kMm);
  EXPECT_NEAR(Number(tr2, "BendRadius").value_or(0), 300, kMm);
  EXPECT_EQ(Number(tr1, "CarrierWidth"), 300);
  EXPECT_EQ(Number(tr1, "CableDiameter"), std::nullopt) << "a tray's width is no cable diameter";
  EXPECT_EQ(model.others.at("IfcWall"), 1);
  EXPECT_EQ(model.others.at("IfcCableCarrierFitting (a bend of the segments it joins)"), 1);
}

TEST_F(IfcImportTest, EquipmentIsPlacedByItsTurnedBody) {
  VexPlantModel model = ReadModel("equipment.ifc", TrayRunModel(1000, true));
  // 400 x 200 x 500 turned a quarter: 200 along x, 400 along y, centred on (1100 2200).
  ExpectPlacement(Find(model, "M1"), {{1000, 2000, 300}, 200, 400, 500});
  ExpectPlacement(Find(model, "DB1"), {{-1900, 200, 300}, 600, 300, 2000});
  const VexImportedElement& cable = Find(model, "W1");
  EXPECT_EQ(cable.kind, VexElementKind::Cable);
  EXPECT_EQ(Number(cable, "CableDiameter"), 28.6);
  EXPECT_TRUE(cable.route.empty());
  EXPECT_EQ(model.notes, (std::vector<VexImportRemark>{{"W1", "it has no placement, so it is imported without geometry"}}));
}

TEST_F(IfcImportTest, ConduitRunInFeetOfTheOlderSchemaImportsInMillimetres) {
  VexPlantModel model = ReadModel("conduits.ifc", ConduitRunInFeet());
  const VexImportedElement& cd1 = Find(model, "CD1");
  EXPECT_EQ(cd1.kind, VexElementKind::Conduit);
  EXPECT_EQ(cd1.typeText, "EMT 1 in");
  ExpectRoute(cd1, {{3048, 0, 0}, {3048, 6096, 0}});
  ExpectRoute(Find(model, "CD2"), {{3048, 6096, 0}, {3048, 6096, 3048}});
  EXPECT_NEAR(Number(cd1, "BendRadius").value_or(0), 304.8, kMm) << "the elbow's stated radius";
  EXPECT_NEAR(Number(Find(model, "CD2"), "BendRadius").value_or(0), 304.8, kMm);
  EXPECT_NEAR(Number(cd1, "CableDiameter").value_or(0), 18.8976, 1e-3);
  EXPECT_NEAR(Number(cd1, "CarrierDiameter").value_or(0), 25.4, 1e-3);
  const VexImportedElement& sw = Find(model, "SW1");
  EXPECT_EQ(sw.kind, VexElementKind::Equipment);
  ExpectPlacement(sw, {{304.8, 609.6, 914.4}, 609.6, 304.8, 1219.2});
  const VexImportedElement& cable = Find(model, "W1");
  EXPECT_EQ(cable.kind, VexElementKind::Cable);
  ExpectRoute(cable, {{0, 0, 304.8}, {1524, 0, 304.8}});
  EXPECT_EQ(Find(model, "S1").kind, VexElementKind::Equipment);
  EXPECT_EQ(Find(model, "S1").typeText, "Socket 16 A");
  ASSERT_EQ(model.skipped.size(), 1u);
  EXPECT_NE(model.skipped[0].what.str().find("IFCELECTRICDISTRIBUTIONPOINT"), std::string::npos);
}

TEST_F(IfcImportTest, ReimportMovesOneAndRemovesAnotherWhenTheUserAgrees) {
  auto scripted = std::make_unique<VexScriptedUser>();
  VexScriptedUser& user = *scripted;
  VexSession::GetSession().SetUser(std::move(scripted));
  auto document = VexDocument::Create((folder / "plant.vxd").string().c_str());
  auto import = [&](const std::string& text) {
    auto path = folder.Write("plant.ifc", text);
    VexPlantModel model = VexPlantModelReader::Read(path.string().c_str());
    VexDocumentTransaction transaction(*document);
    VexImportReport report = VexApplyPlantModel(*document, model, path.string().c_str());
    transaction.Commit();
    return report;
  };
  EXPECT_EQ(import(TrayRunModel(1000, true)).added.size(), 5u);
  VexPlantElement* motor = document->FindElementByName("M1").get();

  user.QueueYes();
  VexImportReport report = import(TrayRunModel(2000, false));
  ASSERT_EQ(report.updated.size(), 1u);
  EXPECT_EQ(report.updated[0], "M1");
  ASSERT_EQ(report.removed.size(), 1u);
  EXPECT_EQ(report.removed[0], "DB1");
  EXPECT_EQ(report.unchanged.size(), 3u);
  EXPECT_EQ(document->GetElementCount(), 4);
  EXPECT_EQ(document->FindElementByName("M1").get(), motor);
  auto placement = VexGetPlacement(*motor);
  ASSERT_TRUE(placement);
  EXPECT_NEAR(placement->origin.x, 2000, kMm);
  EXPECT_NEAR(placement->origin.y, 2000, kMm);
  VexSession::GetSession().SetUser(std::make_unique<VexScriptedUser>());
}

struct BadModel {
  const char* name;
  std::string text;
  const char* says;
};

class IfcRefusal : public ::testing::TestWithParam<BadModel> {};

TEST_P(IfcRefusal, NamesTheFileAndWhatIsWrong) {
  TestFolder folder;
  std::string path = folder.Write("bad.ifc", GetParam().text).string();
  try {
    VexPlantModelReader::Read(path.c_str());
    FAIL() << "accepted";
  } catch (const VexInputError& error) {
    std::string text = error.GetMessageText().str();
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find(GetParam().says), std::string::npos) << text;
  }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IfcRefusal,
    ::testing::Values(
        BadModel{"NotIfc", "element | M1 | Equipment | motor\n", "not an IFC file"},
        BadModel{"Truncated", TrayRunModel(1000, true).substr(0, 900), "truncated"},
        BadModel{"UnsupportedSchema", Replaced(TrayRunModel(1000, true), "'IFC4'", "'IFC4X3'"), "IFC4X3 is not supported"},
        BadModel{"AbsurdCoordinate", Replaced(TrayRunModel(1000, true), "((100.,200.,300.))", "((1e13,200.,300.))"),
                 "IfcCableCarrierSegment \"TR1\": a coordinate of"},
        BadModel{"BrokenEntity", Replaced(TrayRunModel(1000, true), "IFCBOUNDINGBOX(#", "IFCBOUNDINGBOX(1.,#"),
                 "the IFC library reports"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IfcImportFileTest, AMissingModelIsNamed) {
  ExpectHostError<VexInputError>([] { VexPlantModelReader::Read("/nonexistent/plant.ifc"); }, "ImportFileUnreadable",
                                 "/nonexistent/plant.ifc");
}


// Whatever happens to the reader in its process, the host stays up with a clear message.
TEST(IfcImportFileTest, AReaderThatCrashesIsReportedNotShared) {
  TestFolder folder;
  auto crashing = folder.Write("crashing-reader", "#!/bin/sh\nkill -SEGV $$\n");
  std::filesystem::permissions(crashing, std::filesystem::perms::owner_all);
  auto model = folder.Write("plant.ifc", TrayRunModel(1000, true));
  VexUnicodeString reader = VexPlantModelReader::GetReaderProgram();
  VexPlantModelReader::SetReaderProgram(crashing.string().c_str());
  ExpectHostError<VexInputError>([&] { VexPlantModelReader::Read(model.string().c_str()); }, "ImportReaderFailed",
                                 model.string());
  VexPlantModelReader::SetReaderProgram(reader);
}


TEST(IfcImportFileTest, AnImportThatFailsHalfWayChangesNothing) {
  TestFolder folder;
  auto document = VexDocument::Create((folder / "plant.vxd").string().c_str());
  auto model = folder.Write("plant.ifc", TrayRunModel(1000, true));
  VexImportPlantModel(*document, model.string().c_str());
  ASSERT_EQ(document->GetElementCount(), 5);
  // The board is gone from the model and nobody is there to answer whether to remove it.
  folder.Write("plant.ifc", TrayRunModel(2000, false));
  EXPECT_THROW(VexImportPlantModel(*document, model.string().c_str()), VexError);
  auto motor = document->FindElementByName("M1");
  ASSERT_TRUE(motor);
  EXPECT_NEAR(VexGetPlacement(*motor)->origin.x, 1000, kMm) << "the move was rolled back with the rest";
  EXPECT_EQ(document->GetElementCount(), 5);
}


// A grid placement is not read: the element comes without geometry, named in the report, and
// the import goes on.
TEST(IfcImportFileTest, AnElementPlacedOnAGridComesWithoutGeometry) {
  StepText ifc("IFC4", "MILLI");
  int line = ifc.Polyline({{0, 0, 0}, {10000, 0, 0}});
  int u = ifc.Add("IFCGRIDAXIS('A'," + ifc.Ref(line) + ",.T.)");
  int v = ifc.Add("IFCGRIDAXIS('1'," + ifc.Ref(ifc.Polyline({{0, 0, 0}, {0, 10000, 0}})) + ",.T.)");
  int crossing = ifc.Add("IFCVIRTUALGRIDINTERSECTION((" + ifc.Ref(u) + "," + ifc.Ref(v) + "),(0.,0.,0.))");
  int onGrid = ifc.Add("IFCGRIDPLACEMENT(" + ifc.Ref(crossing) + ",$)");
  ifc.Add(Element(ifc, "IFCOUTLET", "S1", onGrid, 0, ",.POWEROUTLET."));
  ifc.Add(Element(ifc, "IFCOUTLET", "S2", ifc.Placement(0, 1, 2, 3), 0, ",.POWEROUTLET."));
  TestFolder folder;
  VexPlantModel model = VexPlantModelReader::Read(folder.Write("grid.ifc", ifc.Text()).string().c_str());
  EXPECT_FALSE(Find(model, "S1").placement);
  ExpectPlacement(Find(model, "S2"), {{1, 2, 3}, 0, 0, 0});
  EXPECT_EQ(model.notes,
            (std::vector<VexImportRemark>{
                {"S1", "its placement is not made of local placements, so it is imported without geometry"},
                {"S2", "no body this reader understands, so its placement has no size"}}));
}

}  // namespace
