#include "EdsaSessionTest.h"

#include "EdsaRunLog.h"
#include "VexMsgCatalog.h"
#include "VexProcess.h"
#include "VexSession.h"

namespace fs = std::filesystem;

EdsaSessionTest::EdsaSessionTest() {
  observer_ = VexAddProcessObserver([this](const VexProcessStart& start) {
    Run run{fs::path(start.program).filename().string()};
    run.insert(run.end(), start.arguments.begin() + 1, start.arguments.end());
    starts_.push_back(run);
  });
}

EdsaSessionTest::~EdsaSessionTest() { VexRemoveProcessObserver(observer_); }

std::string EdsaSessionTest::UseMasterFile(const std::string& name,
                                           const std::string& networkType) {
  std::string content = "EDSA-MASTER 1\n";
  if (!networkType.empty()) content += "NetworkType=" + networkType + "\n";
  std::string path = Folder().Write(name, content).string();
  SetMasterFile(path);
  return path;
}

void EdsaSessionTest::SetMasterFile(const std::string& path) {
  InEvent([&] { Project().SetMasterFilePath(VexUnicodeString(path)); });
}

std::vector<EdsaSessionTest::Run> EdsaSessionTest::WaitForLoggedRuns(std::size_t count) const {
  std::vector<Run> runs;
  for (const EdsaRun& logged : WaitForEdsaRuns(Folder() / "edsa-runs.log", count)) {
    runs.push_back({logged.program});
    runs.back().insert(runs.back().end(), logged.arguments.begin(), logged.arguments.end());
  }
  return runs;
}

fs::path EdsaSessionTest::UseEdsaFolderWithout(const std::string& program) {
  fs::path folder = Folder() / "partial-edsa";
  fs::create_directories(folder);
  for (const auto& entry : fs::directory_iterator(VOLTARIA_TEST_EDSA_DIR)) {
    if (entry.path().filename() == program) continue;
    fs::copy_file(entry.path(), folder / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
  }
  UseEdsaFolder(folder);
  return folder;
}

void EdsaSessionTest::UseEdsaFolder(const fs::path& folder) {
  edsaFolder_.reset();  // the old value comes back before the new one is set
  edsaFolder_ = std::make_unique<ScopedEnv>("VOLTARIA_EDSA_HOME", folder.string());
}

fs::path EdsaSessionTest::LoadSamplePlant() {
  UseDocumentCopy(fs::path(VOLTARIA_BUILT_SAMPLE) / "plant.vxd");
  fs::path project = Folder() / "edsa";
  fs::create_directories(project);
  fs::copy_file(fs::path(VOLTARIA_SAMPLE_DIR) / "plant/edsa/plant.mas", project / "plant.mas");
  SetMasterFile((project / "plant.mas").string());
  return project;
}

std::string EdsaSessionTest::UtilitiesText(const char* key,
                                           const std::vector<std::string>& parameters) {
  VexListValVexUnicodeString values;
  for (const std::string& parameter : parameters) values.Append(VexUnicodeString(parameter));
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog("VexGrdUtilitiesErrMsgCat", nullptr);
  return catalog.GetCatalogMsg(key).BuildMessage(&values).str();
}

std::string EdsaSessionTest::Refusal(const char* firstKey, const char* secondKey) {
  return "2|" + Text("GrdGUI_AnalysisTab_ErrorDialogTitle").str() + "|" + Text(firstKey).str() +
         Text(secondKey).str();
}
