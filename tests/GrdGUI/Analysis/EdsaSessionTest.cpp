#include "EdsaSessionTest.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "VexDocumentTransaction.h"
#include "VexMsgCatalog.h"
#include "VexProcess.h"
#include "VexSession.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, separator);) fields.push_back(field);
  return fields;
}

std::string Trim(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t");
  std::size_t end = text.find_last_not_of(" \t\r");
  return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

std::vector<EdsaSessionTest::Run> ReadLoggedRuns(const fs::path& log) {
  std::vector<EdsaSessionTest::Run> runs;
  std::ifstream in(log);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields = SplitFields(line, '\t');
    if (!fields.empty()) fields.pop_back();  // the time of the run
    runs.push_back(fields);
  }
  return runs;
}

}  // namespace

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
  fs::path log = fs::path(Folder().Path()) / "edsa-runs.log";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::vector<Run> runs = ReadLoggedRuns(log);
  while (runs.size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    runs = ReadLoggedRuns(log);
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
  fs::path sample = fs::path(VOLTARIA_SAMPLE_DIR) / "plant";
  std::ifstream description(sample / "plant.txt");
  if (!description) throw std::runtime_error("the sample plant description is missing");
  for (std::string line; std::getline(description, line);) {
    std::vector<std::string> f = SplitFields(line, '|');
    for (std::string& field : f) field = Trim(field);
    if (f.empty() || f[0].empty() || f[0][0] == '#') continue;
    if (f[0] == "element" && f.size() == 4) {
      auto kind = VexElementKindFromName(f[2]);
      if (!kind) throw std::runtime_error("unknown element kind in the sample: " + f[2]);
      AddElement(f[1], *kind, {}, f[3]);
    } else if (f[0] == "node" && f.size() == 2) {
      AddNodes({f[1]});
    } else if (f[0] == "branch" && f.size() == 3) {
      AddBranch(f[1], f[2]);
    } else if (f[0] == "link" && f.size() == 3) {
      LinkToNode(f[1], VexIAECElement_var(Document().FindElementByName(f[2].c_str())));
    } else if (f[0] == "link" && f.size() == 4) {
      LinkToBranch(f[1], f[2], VexIAECElement_var(Document().FindElementByName(f[3].c_str())));
    }
    // Routes, attributes, lengths and jobs play no part in the results.
  }
  fs::path project = Folder() / "edsa";
  fs::create_directories(project);
  for (const char* file : {"plant.mas", "plant.txr", "plant.clr"}) {
    fs::copy_file(sample / "edsa" / file, project / file);
  }
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
