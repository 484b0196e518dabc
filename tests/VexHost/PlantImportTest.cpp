#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexDocumentTransaction.h"
#include "VexPlantImport.h"
#include "VexPlantText.h"
#include "VexScriptedUser.h"
#include "VexSession.h"

namespace {

const char* kModel =
    "element | TX1 | Equipment | Transformer\n"
    "placement | TX1 | 0 0 0 | 1200 800 1600\n"
    "element | CD1 | Conduit | EMT 1 in\n"
    "route | CD1 | 0 0 0 ; 6000 0 0\n"
    "number | CD1 | CableDiameter | 18.9\n"
    "element | CD2 | Conduit | EMT 1 in\n"
    "route | CD2 | 6000 0 0 ; 6000 4000 0\n";

class PlantImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<VexScriptedUser>();
    user = scripted.get();
    VexSession::GetSession().SetUser(std::move(scripted));
    document = VexDocument::Create((folder / "plant.vxd").string().c_str());
  }
  void TearDown() override { VexSession::GetSession().SetUser(std::make_unique<VexScriptedUser>()); }

  VexImportReport Import(const std::string& text, const char* source = "/models/plant.txt") {
    VexDocumentTransaction transaction(*document);
    VexImportReport report = VexApplyPlantModel(*document, VexReadPlantText(text, source), source);
    transaction.Commit();
    return report;
  }
  VexVar<VexPlantElement> Named(const char* name) { return document->FindElementByName(name); }
  static std::vector<std::string> Names(const std::vector<VexUnicodeString>& list) {
    std::vector<std::string> names;
    for (const auto& name : list) names.push_back(name.str());
    return names;
  }

  TestFolder folder;
  std::unique_ptr<VexDocument> document;
  VexScriptedUser* user = nullptr;
};

TEST_F(PlantImportTest, AddsElementsWithTheirDataAndSource) {
  VexImportReport report = Import(kModel);
  EXPECT_EQ(Names(report.added), (std::vector<std::string>{"TX1", "CD1", "CD2"}));
  auto conduit = Named("CD1");
  ASSERT_TRUE(conduit);
  EXPECT_EQ(conduit->GetKind(), VexElementKind::Conduit);
  EXPECT_EQ(conduit->TypeText(), "EMT 1 in");
  EXPECT_EQ(conduit->GetRoutePoints(), (std::vector<VexRoutePoint>{{0, 0, 0}, {6000, 0, 0}}));
  EXPECT_EQ(conduit->GetNumberAttribute("CableDiameter"), 18.9);
  EXPECT_EQ(conduit->GetTextAttribute(kVexSourceFileAttribute), VexUnicodeString("/models/plant.txt"));
  EXPECT_EQ(VexGetPlacement(*Named("TX1")), (VexPlacement{{0, 0, 0}, 1200, 800, 1600}));
}

TEST_F(PlantImportTest, ReimportUpdatesInPlaceAndNeverDuplicates) {
  Import(kModel);
  VexPlantElement* conduit = Named("CD1").get();
  std::string moved = kModel;
  moved.replace(moved.find("6000 0 0\n"), 9, "6500 0 0\n");
  VexImportReport report = Import(moved);
  EXPECT_EQ(Names(report.updated), (std::vector<std::string>{"CD1"}));
  EXPECT_EQ(Names(report.unchanged), (std::vector<std::string>{"TX1", "CD2"}));
  EXPECT_TRUE(report.added.empty());
  EXPECT_EQ(document->GetElementCount(), 3);
  EXPECT_EQ(Named("CD1").get(), conduit) << "the same element, updated in place";
  EXPECT_EQ(conduit->GetRoutePoints().back().x, 6500);
}

TEST_F(PlantImportTest, ASourceIdentifierFollowsARenamedElement) {
  Import("element | M-1 | Equipment | motor\ntext | M-1 | SourceId | 0abc\n");
  VexPlantElement* motor = Named("M-1").get();
  VexImportReport report = Import("element | PUMP1 | Equipment | motor\ntext | PUMP1 | SourceId | 0abc\n");
  EXPECT_EQ(Names(report.updated), (std::vector<std::string>{"PUMP1"}));
  EXPECT_EQ(Named("PUMP1").get(), motor);
  EXPECT_EQ(document->GetElementCount(), 1);
}

TEST_F(PlantImportTest, ElementsGoneFromTheModelAreRemovedOnlyWhenTheUserAgrees) {
  Import(kModel);
  std::string withoutCd2 = std::string(kModel).substr(0, std::string(kModel).find("element | CD2"));
  user->QueueNo();
  VexImportReport kept = Import(withoutCd2);
  EXPECT_EQ(Names(kept.kept), (std::vector<std::string>{"CD2"}));
  EXPECT_TRUE(Named("CD2"));

  user->QueueYes();
  VexImportReport removed = Import(withoutCd2);
  EXPECT_EQ(Names(removed.removed), (std::vector<std::string>{"CD2"}));
  EXPECT_FALSE(Named("CD2"));
  EXPECT_EQ(user->GetPendingCount(), 0);
  const std::string question = VexSession::GetSession().GetUserLog().ToText();
  EXPECT_NE(question.find("no longer in it: CD2"), std::string::npos) << question;
}

TEST_F(PlantImportTest, ElementsOfOtherSourcesAreNeverOfferedForRemoval) {
  Import(kModel, "/models/a.txt");
  VexImportReport report = Import("element | M1 | Equipment | motor\n", "/models/b.txt");
  EXPECT_TRUE(report.kept.empty());
  EXPECT_TRUE(report.removed.empty());
  EXPECT_EQ(document->GetElementCount(), 4) << "no question was asked, none queued";
}

TEST_F(PlantImportTest, ReportCountsAndNames) {
  VexPlantModel model = VexReadPlantText(std::string(kModel) + "skipped | #9 IfcCableSegment | no placement\nother | IfcWall | 4\n", "p");
  VexDocumentTransaction transaction(*document);
  VexImportReport report = VexApplyPlantModel(*document, model, "/m/p.ifc");
  EXPECT_EQ(report.ToText(2),
            "Import of /m/p.ifc: 3 added, 0 updated, 0 unchanged, 0 removed, 1 skipped\n"
            "  added: TX1, CD1, and 1 more\n"
            "  skipped: #9 IfcCableSegment: no placement\n"
            "  not plant elements: 4 IfcWall\n");
}

}  // namespace
