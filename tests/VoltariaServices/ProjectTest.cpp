#include <gtest/gtest.h>

#include <functional>

#include "EdsaRunLog.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexFrmEditor.h"
#include "VexGrdEdsaRunner.h"
#include "VexGrdProject.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexNavigation3DViewer.h"
#include "VexSettingRepository.h"

namespace {

const std::filesystem::path kStandInFolder = VOLTARIA_EDSA_STANDIN_DIR;

class ProjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document = VexDocument::Create((folder / "plant.vxd").string().c_str());
    project = std::make_unique<VexGrdProject>(document.get());
    VexGrdEdsaRunner::SetEdsaFolder(kStandInFolder.string().c_str());
  }
  void TearDown() override { VexGrdEdsaRunner::SetEdsaFolder(""); }

  // Creates the master file `name` in the folder and makes it current.
  std::string UseMaster(const char* name, const char* type = "") {
    std::string master = (folder / name).string();
    project->CreateNewMasterFile(master.c_str(), type);
    VexDocumentTransaction transaction(*document);
    project->SetMasterFilePath(master.c_str());
    transaction.Commit();
    return master;
  }

  // The key of the utilities error `action` raises, or "" when none.
  static std::string ErrorKeyOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const VexGrdUtilitiesInputErr& error) {
      return error.GetKey().str();
    }
    return "";
  }

  TestFolder folder;
  std::unique_ptr<VexDocument> document;
  std::unique_ptr<VexGrdProject> project;
};

using Arguments = std::vector<std::string>;

}  // namespace

// The argument vectors of the other runs are checked through the tabs that start them.
TEST_F(ProjectTest, RunsStartTheirProgramWithTheMasterFileAndTheJob) {
  std::string master = UseMaster("net one.mas");
  VexGrdConduit* conduit = project->GetGrdConduitObj();
  const std::string pull = (folder / "pull1.cpd").string(), size = (folder / "size1.wsw").string();
  const struct {
    std::function<int()> run;
    const char* program;
    Arguments arguments;
  } cases[] = {
      {[&] { return project->Run_SCAC3P(); }, "scac3p.exe", {master}},
      {[&] {
         conduit->SetJobFilePath((folder / "pull1.txt").string().c_str());
         return project->Run_CABLPULL(3);
       },
       "cablpull.exe", {master, "/mode", "3", "/job", pull}},
      {[&] {
         conduit->SetJobFilePath(size.c_str());
         return project->Run_WWRSZNEC();
       },
       "Wwrsznec.exe", {master, "/job", size}},
  };
  // Started without waiting, the runs may log in any order: check them one at a time.
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].program);
    EXPECT_EQ(cases[i].run(), 0);
    auto runs = WaitForEdsaRuns(folder / "edsa-runs.log", i + 1);
    ASSERT_EQ(runs.size(), i + 1);
    EXPECT_EQ(runs[i].program, cases[i].program);
    EXPECT_EQ(runs[i].arguments, cases[i].arguments);
  }
}

TEST(EdsaRunnerTest, ExplicitFolderWinsOverTheVariableUntilCleared) {
  ScopedEnv variable(VexGrdEdsaRunner::kFolderVariable, "/from/variable");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/from/variable"));
  VexGrdEdsaRunner::SetEdsaFolder("/given/explicitly");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/given/explicitly"));
  VexGrdEdsaRunner::SetEdsaFolder("");
  EXPECT_EQ(VexGrdEdsaRunner::GetEdsaFolder(), VexUnicodeString("/from/variable"));
}

TEST_F(ProjectTest, MissingProgramMasterOrJobFileIsAnInputErrorThatSaysSo) {
  EXPECT_EQ(ErrorKeyOf([&] { project->Run_SCAC3P(); }), "NoMasterFile");
  EXPECT_EQ(ErrorKeyOf([&] { project->GetNetworkType(); }), "NoMasterFile");
  UseMaster("n.mas");
  EXPECT_EQ(ErrorKeyOf([&] { project->Run_CABLPULL(1); }), "NoJobFile");
  EXPECT_EQ(ErrorKeyOf([&] { project->Run_WWRSZNEC(); }), "NoJobFile");

  // No EDSA folder set, a folder that does not exist, a folder without the program.
  ScopedEnv noVariable(VexGrdEdsaRunner::kFolderVariable, "");
  TestFolder edsa;
  for (const std::string& path : {std::string(), (edsa / "none").string(), edsa.Path().string()}) {
    SCOPED_TRACE(path);
    VexGrdEdsaRunner::SetEdsaFolder(path.c_str());
    EXPECT_EQ(project->DoesEDSAExeExist("scac3p.exe"), 0);
    try {
      project->Run_SCAC3P();
      ADD_FAILURE() << "no error raised";
    } catch (const VexGrdUtilitiesInputErr& error) {
      EXPECT_EQ(error.GetSeverity(), 2);
      const std::string text = error.what();
      EXPECT_NE(text.find("scac3p.exe"), std::string::npos) << text;
      EXPECT_EQ(text.find('['), std::string::npos) << "the catalog lacks the key: " << text;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(folder / "edsa-runs.log"));
  VexGrdEdsaRunner::SetEdsaFolder(kStandInFolder.string().c_str());
  EXPECT_EQ(project->DoesEDSAExeExist("Wwrsznec.exe"), 1);
}

TEST_F(ProjectTest, TheMasterFileTellsTheNetworkType) {
  UseMaster("kept.mds");
  EXPECT_EQ(project->GetNetworkType(), VexUnicodeString("DC"));
  UseMaster("typed.mas", "1X");
  EXPECT_EQ(project->GetNetworkType(), VexUnicodeString("1X")) << "the file's type line wins";
  VexDocumentTransaction transaction(*document);
  project->SetMasterFilePath((folder / "not yet.mss").string().c_str());
  EXPECT_EQ(project->GetNetworkType(), VexUnicodeString("1X"));
  project->SetMasterFilePath((folder / "odd.txt").string().c_str());
  EXPECT_EQ(ErrorKeyOf([&] { project->GetNetworkType(); }), "UnknownNetworkType");
}

// The session makes a master file current; the document only remembers it, beside itself when it
// can, so that a copied plant folder names its own copy and never another plant's project.
TEST_F(ProjectTest, TheDocumentRemembersItsMasterFileButNeverMakesItCurrent) {
  TestFolder elsewhere;
  const std::string outside = (elsewhere / "other.mas").string();
  std::filesystem::create_directories(folder / "edsa");
  UseMaster("edsa/plant.mas");
  EXPECT_EQ(document->GetProperty(VexGrdProject::kMasterFileProperty)->str(), "edsa/plant.mas");
  {
    VexDocumentTransaction transaction(*document);
    project->SetMasterFilePath(outside.c_str());
    EXPECT_EQ(document->GetProperty(VexGrdProject::kMasterFileProperty)->str(), outside);
    // Not committed: the current master file goes back with the document's data.
  }
  EXPECT_EQ(project->GetMasterFilePath().str(), (folder / "edsa/plant.mas").string());

  VexGrdProject another(document.get());
  EXPECT_EQ(another.GetMasterFilePath(), project->GetMasterFilePath()) << "one per open document";

  project.reset();
  document.reset();
  std::filesystem::create_directories(elsewhere / "copy");
  std::filesystem::copy_file(folder / "plant.vxd", elsewhere / "copy/plant.vxd");
  for (const std::filesystem::path& plant : {folder / "plant.vxd", elsewhere / "copy/plant.vxd"}) {
    SCOPED_TRACE(plant.string());
    document = VexDocument::Open(plant.string().c_str());
    project = std::make_unique<VexGrdProject>(document.get());
    EXPECT_TRUE(project->GetMasterFilePath().IsEmpty()) << "nothing is current in a new session";
    EXPECT_EQ(VexGrdProject::GetRememberedMasterFile(*document).str(),
              (plant.parent_path() / "edsa/plant.mas").string());
    project.reset();
    document.reset();
  }
}

// A plant opened for the first time starts on the master file it remembers; settings it has
// already are its own and stay as they are.
TEST_F(ProjectTest, FirstOpeningSeedsThePlantsSettingsWithItsRememberedMasterFile) {
  ScopedEnv settingsFolder("VEX_SETTINGS_DIR", (folder / "settings").string());
  VexSettingRepository::ForgetLoadedRepositories();
  auto settings = [&] {
    return VexSettingRepository::GetDocumentRepository(VexGrdProject::kSettingsRepository,
                                                       document->GetPath().str(), 1);
  };
  auto text = [&](const char* key) {
    char buffer[512] = {};
    settings()->ReadSetting(key, buffer, sizeof buffer - 1);
    return std::string(buffer);
  };
  auto integer = [&](const char* key) {
    int value = -7;
    settings()->ReadSetting(key, &value, 1);
    return value;
  };
  EXPECT_FALSE(VexGrdProject::SeedSettingsFromDocument(*document)) << "it remembers no master file";
  const std::string master = UseMaster("plant.mas");
  std::filesystem::remove(master);
  EXPECT_FALSE(VexGrdProject::SeedSettingsFromDocument(*document)) << "its master file is gone";
  UseMaster("plant.mas");

  EXPECT_TRUE(VexGrdProject::SeedSettingsFromDocument(*document));
  EXPECT_EQ(text("FilePath1"), master);
  EXPECT_EQ(integer("PathLength1"), static_cast<int>(master.size()));
  EXPECT_EQ(integer("CUR_PROJ"), 1);
  EXPECT_EQ(integer("NumberOfLines"), 1);
  EXPECT_TRUE(std::filesystem::exists(settings()->GetFilePath())) << "saved for the module to read";

  int tab = 3;
  settings()->WriteSetting("PrevTab", &tab, 1, 0);
  EXPECT_FALSE(VexGrdProject::SeedSettingsFromDocument(*document));
  EXPECT_EQ(integer("PrevTab"), 3);
  VexSettingRepository::ForgetLoadedRepositories();
}

TEST_F(ProjectTest, EdsaDataOfNodesBranchesAndLengthsIsRecordedInTheMasterFile) {
  UseMaster("n.mas");
  VexDocumentTransaction transaction(*document);
  project->CreateNode("BUS1");
  auto branch = project->CreateBranch("BUS1", "BUS2");
  EXPECT_EQ(project->CreateVexEDSANode("BUS1"), 0);
  EXPECT_EQ(project->CreateVexEDSANode("BUS1"), 1);
  EXPECT_EQ(project->CreateVexEDSABranch("BUS1", "BUS2"), 0);
  branch->SetLength(8.2021);
  EXPECT_EQ(project->UpdateBranchLength("BUS1", "BUS2", "FT"), 0);
  EXPECT_EQ(branch->GetUnitCode(), VexUnicodeString("FT"));
  EXPECT_EQ(folder.Read("n.mas"),
            "EDSA-MASTER 1\nNetworkType=3P\nNode=BUS1\nBranch=BUS1,BUS2\n"
            "BranchLength=BUS1,BUS2,8.2021,FT\n");
  EXPECT_EQ(ErrorKeyOf([&] { project->UpdateBranchLength("BUS1", "BUS2", "yd"); }),
            "InvalidUnitCode");
  EXPECT_EQ(ErrorKeyOf([&] { project->UpdateBranchLength("BUS2", "BUS1", "MT"); }),
            "BranchNotFound");
}

TEST_F(ProjectTest, ColourResultsColourTheElementsLinkedToTheGivenIdentifiers) {
  UseMaster("n.mas");
  {
    VexDocumentTransaction transaction(*document);
    auto pump = document->CreateElement("PUMP1", "Sample", VexElementKind::Equipment);
    auto conduit = document->CreateElement("C1", "Sample", VexElementKind::Conduit);
    project->LinkNode(VexIAECElement_var(pump), project->CreateNode("BUS1"));
    project->LinkBranch(VexIAECElement_var(conduit), project->CreateBranch("BUS1", "BUS2"));
    project->CreateNode("BUS3");
    transaction.Commit();
  }
  // CR LF ends, a comment, tabs, and BUS1 coloured twice: the last colour counts.
  folder.Write("n.clr", "# colours\r\nBUS1 1 1 1\r\n\tBUS1->BUS2\t0 0 255\nBUS3 0 255 0\n"
                        "BUS9 1 2 3\nBUS1 255 0 0\n");
  project->AnalyzeColorAnnotation();
  auto ids = project->GetListOfNodesBranches(2);
  EXPECT_EQ(ids, (VexListValVexUnicodeString{"BUS1", "BUS1->BUS2", "BUS3", "BUS9"}));

  VexFrmEditor editor(*document);
  VexNavigation3DViewer* viewer = editor.Open3DViewer("3D");
  auto colorOf = [&](const char* name) {
    return viewer->GetColor(VexBaseUnknown_var(document->FindElementByName(name).get()));
  };
  EXPECT_EQ(project->ColorWithEDSA_RGB(viewer, {"BUS1->BUS2"}), 1) << "only the identifiers given";
  EXPECT_FALSE(colorOf("PUMP1"));
  EXPECT_EQ(project->ColorWithEDSA_RGB(viewer, ids), 2);
  EXPECT_EQ(colorOf("PUMP1"), (VexColor{255, 0, 0}));
  EXPECT_EQ(colorOf("C1"), (VexColor{0, 0, 255}));

  // A new colour result replaces the previous one: C1, which it does not colour, shows as it is.
  folder.Write("n.clr", "BUS1 0 128 0\n");
  project->AnalyzeColorAnnotation();
  EXPECT_EQ(project->ColorWithEDSA_RGB(viewer, project->GetListOfNodesBranches(2)), 1);
  EXPECT_EQ(colorOf("PUMP1"), (VexColor{0, 128, 0}));
  EXPECT_FALSE(colorOf("C1"));
}

// Before any analysis there are no result files: no results, no message, and results read
// earlier are gone. Damaged files are reported by the Results tab's tests.
TEST_F(ProjectTest, MissingResultFilesGiveNone) {
  UseMaster("n.mas");
  folder.Write("n.txr", "[BUS1]\nVoltage = 1 pu\n");
  folder.Write("n.clr", "BUS1 1 2 3\n");
  project->AnalyzeTextAnnotation();
  project->AnalyzeColorAnnotation();
  std::filesystem::remove(folder / "n.txr");
  std::filesystem::remove(folder / "n.clr");
  EXPECT_NO_THROW(project->AnalyzeTextAnnotation());
  EXPECT_NO_THROW(project->AnalyzeColorAnnotation());
  EXPECT_EQ(project->GetListOfNodesBranches(1).Size(), 0);
  EXPECT_EQ(project->GetListOfNodesBranches(2).Size(), 0);
}
