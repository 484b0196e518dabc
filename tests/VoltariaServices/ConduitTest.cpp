#include <gtest/gtest.h>

#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexGrdProject.h"
#include "VexGrdUtilitiesInputErr.h"

namespace {

class ConduitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document = VexDocument::Create((folder / "plant.vxd").string().c_str());
    VexDocumentTransaction transaction(*document);
    // Three conduits with two 90-degree bends, stored out of order and one reversed.
    Add("C3", VexElementKind::Conduit, {{5000, 3000, 2000}, {5000, 3000, 0}},
        {{"CableDiameter", 22}});
    Add("C1", VexElementKind::Conduit, {{0, 0, 0}, {5000, 0, 0}},
        {{"CableDiameter", 25.4}, {"BendRadius", 450}});
    Add("C2", VexElementKind::Tray, {{5000, 0, 0}, {5000, 3000, 0}}, {});
    Add("PUMP1", VexElementKind::Equipment, {}, {});
    Add("STUB", VexElementKind::Conduit, {{100, 100, 100}}, {});
    Add("BARE", VexElementKind::Tray, {}, {});
    transaction.Commit();
    project = std::make_unique<VexGrdProject>(document.get());
    conduit = project->GetGrdConduitObj();
  }

  void Add(const char* name, VexElementKind kind, std::vector<VexRoutePoint> route,
           std::vector<std::pair<const char*, double>> numbers) {
    auto element = document->CreateElement(name, "Sample", kind);
    if (!route.empty()) document->SetRoutePoints(*element, std::move(route));
    for (auto& [key, value] : numbers) document->SetNumberAttribute(*element, key, value);
  }

  VexListValVexBaseUnknown_var Elements(std::initializer_list<const char*> names) {
    VexListValVexBaseUnknown_var elements;
    for (const char* name : names) {
      elements.Append(VexBaseUnknown_var(document->FindElementByName(name).get()));
    }
    return elements;
  }

  TestFolder folder;
  ScopedEnv dataHome{"XDG_DATA_HOME", (folder / "data").string()};
  std::unique_ptr<VexDocument> document;
  std::unique_ptr<VexGrdProject> project;
  VexGrdConduit* conduit = nullptr;
};

}  // namespace

TEST_F(ConduitTest, ThreeConduitRouteOutOfOrderWritesThreeRunsAndTwoBends) {
  auto route = Elements({"C3", "C2", "C1"});
  VexListValVexUnicodeString reasons;
  ASSERT_EQ(conduit->AreSegmentsValidForCablePull(&route, reasons), 0);
  EXPECT_EQ(reasons.Size(), 0);
  ASSERT_EQ(conduit->ProcessConduitSegments(1, &route), 0);
  ASSERT_EQ(conduit->WriteSegmentData(), 0);

  // No job file yet: the segment data goes to the user job-file folder. C3 runs down 2 m.
  EXPECT_EQ(folder.Read("data/voltaria/jobs/CableRoute.seg"),
            "EDSA-SEGMENTS 2\n"
            "# Cable route segments written by Voltaria.\n"
            "# Lengths, diameters and radii in millimetres, angles in degrees.\n"
            "# RUN <number> <length> <rise> <element>; BEND <number> <angle> <radius> <element>\n"
            "TotalLength=10000.000\nRuns=3\nBends=2\n"
            "RUN 1 2000.000 -2000.000 C3\nBEND 1 90.000 300.000 C2\nRUN 2 3000.000 0.000 C2\n"
            "BEND 2 90.000 450.000 C1\nRUN 3 5000.000 0.000 C1\n");
  EXPECT_DOUBLE_EQ(conduit->GetTotalLength(&route), 10000.0);

  // A job set later gets the same segment data beside its job file, with the job file.
  conduit->SetCableDia(conduit->CalculateCableDia(&route));
  conduit->SetJobFilePath((folder / "jobs1.cpd").string().c_str());
  ASSERT_EQ(conduit->GenerateGlobalFile(), 0);
  EXPECT_EQ(folder.Read("jobs1.seg"), folder.Read("data/voltaria/jobs/CableRoute.seg"));
  EXPECT_NE(folder.Read("jobs1.cpd").find("\nCableDiameter=25.400\nTotalLength=10000.000\nRuns=3\nBends=2\n"),
            std::string::npos)
      << "the largest diameter of the route (C1's, given last), in millimetres";
}

TEST_F(ConduitTest, CheckingARouteNeverOverwritesTheCurrentJobsFiles) {
  folder.Write("jobs2.seg", "the segment data of job 2\n");
  conduit->SetJobFilePath((folder / "jobs2.cpd").string().c_str());
  auto route = Elements({"C1", "C2"});
  ASSERT_EQ(conduit->ProcessConduitSegments(1, &route), 0);
  ASSERT_EQ(conduit->WriteSegmentData(), 0);
  EXPECT_EQ(folder.Read("jobs2.seg"), "the segment data of job 2\n");
  EXPECT_FALSE(folder.Read("data/voltaria/jobs/CableRoute.seg").empty());
}

TEST_F(ConduitTest, SegmentStatuses) {
  EXPECT_EQ(conduit->WriteSegmentData(), 10) << "nothing processed yet";
  auto stub = Elements({"STUB"});
  ASSERT_EQ(conduit->ProcessConduitSegments(1, &stub), 0);
  EXPECT_EQ(conduit->WriteSegmentData(), 20) << "a single-point element";

  auto route = Elements({"C1", "C2"});
  ASSERT_EQ(conduit->ProcessConduitSegments(1, &route), 0);
  {
    // The user job-file folder cannot be made: a file stands where its parent should be.
    folder.Write("blocked", "a file, not a folder");
    ScopedEnv blocked("XDG_DATA_HOME", (folder / "blocked").string());
    EXPECT_EQ(conduit->WriteSegmentData(), 11);
  }
  conduit->SetCableDia(conduit->CalculateCableDia(&route));
  conduit->SetJobFilePath((folder / "no such folder/job.cpd").string().c_str());
  EXPECT_EQ(conduit->GenerateGlobalFile(), 11);

  auto gap = Elements({"C1", "C3"});
  EXPECT_EQ(conduit->ProcessConduitSegments(1, &gap), 3);
  EXPECT_EQ(conduit->WriteSegmentData(), 10) << "a failed processing keeps no route";
  auto withPump = Elements({"C1", "PUMP1"});
  EXPECT_EQ(conduit->ProcessConduitSegments(1, &withPump), 2);
  EXPECT_EQ(conduit->ProcessConduitSegments(2, &route), 1);
  EXPECT_EQ(conduit->ProcessConduitSegments(1, nullptr), 1);
}

TEST_F(ConduitTest, OnlyConduitsAndTraysWithARouteAreValid) {
  auto selection = Elements({"C1", "PUMP1", "BARE", "STUB"});
  VexListValVexUnicodeString reasons;
  EXPECT_EQ(conduit->AreSegmentsValidForCablePull(&selection, reasons), 1);
  ASSERT_EQ(reasons.Size(), 2);
  EXPECT_NE(reasons[1].str().find("PUMP1"), std::string::npos) << reasons[1];
  EXPECT_NE(reasons[2].str().find("BARE"), std::string::npos) << reasons[2];
  VexListValVexUnicodeString none;
  VexListValVexBaseUnknown_var empty;
  EXPECT_EQ(conduit->AreSegmentsValidForCablePull(&empty, none), 1);
  EXPECT_EQ(none.Size(), 1);
}

TEST_F(ConduitTest, GlobalFileIsTheJobFileBesideTheJobPath) {
  EXPECT_EQ(conduit->GenerateGlobalFile(), 10) << "no job file set";
  conduit->SetJobFilePath((folder / "early.cpd").string().c_str());
  ASSERT_EQ(conduit->GenerateGlobalFile(), 0) << "global data before any route";
  EXPECT_NE(
      folder.Read("early.cpd").find("\nCableDiameter=0.000\nTotalLength=0.000\nRuns=0\nBends=0\n"),
      std::string::npos);

  auto route = Elements({"C1", "C2", "C3"});
  conduit->ProcessConduitSegments(1, &route);
  conduit->SetCableDia(conduit->CalculateCableDia(&route));
  conduit->SetJobFilePath((folder / "pull1.txt").string().c_str());
  ASSERT_EQ(conduit->GenerateGlobalFile(), 0);
  std::string job = folder.Read("pull1.cpd");
  EXPECT_EQ(job.rfind("EDSA-CABLEPULL 2\n", 0), 0u) << job;
  EXPECT_NE(job.find("\nCableDiameter=25.400\nTotalLength=10000.000\nRuns=3\nBends=2\n"),
            std::string::npos)
      << job;
  EXPECT_NE(job.find("\nRUN 1 5000.000 0.000 C1\n"), std::string::npos) << job;
}

// The job pairs one diameter with the route's runs: a diameter measured on other elements (the
// trays selected when the Cables page was entered, then conduits selected) would be wrong without
// a word, so the job is refused and nothing is written.
TEST_F(ConduitTest, ADiameterMeasuredOnOtherElementsThanTheRouteIsRefused) {
  conduit->SetJobFilePath((folder / "pull1.cpd").string().c_str());
  auto route = Elements({"C1", "C2", "C3"});
  auto other = Elements({"C3"});
  ASSERT_EQ(conduit->ProcessConduitSegments(1, &route), 0);
  conduit->SetCableDia(conduit->CalculateCableDia(&other));
  try {
    conduit->GenerateGlobalFile();
    ADD_FAILURE() << "the job was written";
  } catch (const VexGrdUtilitiesInputErr& error) {
    EXPECT_EQ(error.GetKey().str(), "CableDiameterNotOfRoute");
    EXPECT_EQ(error.GetSeverity(), 2);
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "pull1.cpd"));

  conduit->SetCableDia(conduit->CalculateCableDia(&route));
  auto withoutDiameter = Elements({"C2", "PUMP1"});
  EXPECT_EQ(conduit->CalculateCableDia(&withoutDiameter), 0.0) << "no diameter: the last one stays";
  EXPECT_EQ(conduit->CalculateCableDia(nullptr), 0.0);
  EXPECT_EQ(conduit->GenerateGlobalFile(), 0);
  EXPECT_NE(folder.Read("pull1.cpd").find("\nCableDiameter=25.400\n"), std::string::npos);
}
