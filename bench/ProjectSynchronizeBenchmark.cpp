// The Project tab's "Synchronize" as a designer presses it, on networks of 1k, 10k and 100k nodes
// with as many branches. Each timed press is one user event through the real panel: the network
// file is read, the questions are answered yes by a scripted user, the nodes and branches are
// created (and removed) through the project services, the transaction is committed, the registry
// is rebuilt and the tab lists are refilled. Setting up the document and the command is not timed.
//   - BM_SynchronizeIntoEmptyModel: every node and branch of the file is new.
//   - BM_SynchronizeReplacingModel: the model holds as many other nodes and branches, which the
//     second question removes.
//   - BM_SynchronizeUnchangedModel: the model holds the file's network already, so nothing is
//     asked: what remains is the tab's own work of reading, comparing and refreshing.
// Targets: linear growth (100k at most 12 times 10k) and 100k under 3 s. Each size runs in a
// process of its own, which prints its peak memory.
// Run: build/default/bin/project_synchronize_benchmark [--sizes=1000,10000,100000,1000000]

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "BenchProcess.h"
#include "VexApplicationFrame.h"
#include "VexDocumentTransaction.h"
#include "VexFileServices.h"
#include "VexGrdCmd.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexSettingRepository.h"
#include "VexUiDriver.h"
#include "VexWorkspace.h"

namespace fs = std::filesystem;

namespace {

constexpr long kLargeNetwork = 1000000;

// "N000042": at most 8 characters, as EDSA node names are.
std::string NodeId(const char* prefix, long i) {
  std::string digits = std::to_string(i);
  return prefix + std::string(6 - std::min<std::size_t>(6, digits.size()), '0') + digits;
}

std::string Padded(const std::string& id) { return id + std::string(9 - id.size(), ' '); }

fs::path MakeFolder() {
  std::string pattern = VexGetTempDirectory().str() + "/voltaria-bench-XXXXXX";
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

/// One designer's session: a document in a folder of its own with a master file and the network
/// file beside it (a ring of `count` nodes and branches in EDSA's fixed columns), the EDSA
/// command started and the master file keyed in.
class Session {
 public:
  /// `existingPrefix` names the ring of `count` nodes the model holds before ("" none).
  Session(long count, const char* existingPrefix) : folder_(MakeFolder()) {
    ::setenv("VEX_SETTINGS_DIR", (folder_ / "settings").c_str(), 1);
    VexSettingRepository::ForgetLoadedRepositories();
    VexSession::GetSession().SetUser(std::make_unique<VexScriptedUser>());
    workspace_ = VexWorkspace::Open(VexUnicodeString((folder_ / "plant.vxd").string()), true);
    std::string master = (folder_ / "plant.mas").string();
    {
      VexGrdProject project(&workspace_->GetDocument());
      project.CreateNewMasterFile(VexUnicodeString(master), ".mas");
      if (*existingPrefix) AddRing(project, existingPrefix, count);
    }
    WriteNetworkFile(count);
    command_ = fctCreateVexGrdCmd();
    VexSession::GetSession().StartCommand(VexStateCommand_var(command_));
    ui_ = std::make_unique<VexUiDriver>(Panel());
    ui_->Type("MasterFileEdt", VexUnicodeString(master));
  }
  ~Session() {
    ui_.reset();
    VexSession::GetSession().CancelCommand(command_);
    workspace_.reset();
    VexSettingRepository::ForgetLoadedRepositories();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  VexUiDriver& Ui() { return *ui_; }
  VexGrdPanel* Panel() const {
    VexDialog* window = VexApplicationFrame::GetFrame()->GetMainWindow();
    return dynamic_cast<VexGrdPanel*>(window->FindChild("VexGrdPanel"));
  }
  int NodeCount() { return Panel()->GetProject()->GetNetworkModel().GetNodeCount(); }
  int BranchCount() { return Panel()->GetProject()->GetNetworkModel().GetBranchCount(); }

 private:
  void WriteNetworkFile(long count) {
    std::ofstream out(folder_ / "plant.net", std::ios::binary);
    out << count << "\n";
    for (long i = 0; i < count; ++i) out << NodeId("N", i) << "\n";
    out << count << "\n";
    for (long i = 0; i < count; ++i) {
      out << Padded(NodeId("N", i)) << NodeId("N", (i + 1) % count) << "\n";
    }
  }
  void AddRing(VexGrdProject& project, const char* prefix, long count) {
    VexDocumentTransaction transaction(workspace_->GetDocument());
    for (long i = 0; i < count; ++i) project.CreateNode(VexUnicodeString(NodeId(prefix, i)));
    for (long i = 0; i < count; ++i) {
      project.CreateBranch(VexUnicodeString(NodeId(prefix, i)),
                           VexUnicodeString(NodeId(prefix, (i + 1) % count)));
    }
    transaction.Commit();
  }

  fs::path folder_;
  std::unique_ptr<VexWorkspace> workspace_;
  VexGrdCmd* command_ = nullptr;
  std::unique_ptr<VexUiDriver> ui_;
};

/// `existingPrefix`: "" an empty model, "R" another network, "N" the file's own network.
void RunSynchronize(benchmark::State& state, const char* existingPrefix) {
  const long count = state.range(0);
  const std::string existing = existingPrefix;
  for (auto _ : state) {
    state.PauseTiming();
    auto session = std::make_unique<Session>(count, existingPrefix);
    if (existing != "N") session->Ui().AnswerYes();
    if (existing == "R") session->Ui().AnswerYes();
    state.ResumeTiming();

    session->Ui().Push("Synchronize");

    state.PauseTiming();
    if (session->NodeCount() != count || session->BranchCount() != count) {
      state.SkipWithError("the model does not hold the file's network");
    }
    session.reset();
    state.ResumeTiming();
  }
  state.counters["nodes+branches"] = static_cast<double>(2 * count);
}

void BM_SynchronizeIntoEmptyModel(benchmark::State& state) { RunSynchronize(state, ""); }
void BM_SynchronizeReplacingModel(benchmark::State& state) { RunSynchronize(state, "R"); }
void BM_SynchronizeUnchangedModel(benchmark::State& state) { RunSynchronize(state, "N"); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes = bench::TakeSizes(argc, argv);
  if (bench::RunEachSizeApart(sizes, argc, argv)) return 0;
  const long count = sizes.front();
  // Small networks take more presses, as their presses are short and noisier; from 10k on the
  // same number, so that the first press of a process, which also pays for memory never touched
  // before, weighs the same in every mean.
  const int presses = count < 10000 ? 20 : count < kLargeNetwork ? 10 : 2;
  const std::pair<const char*, void (*)(benchmark::State&)> runs[] = {
      {"BM_SynchronizeIntoEmptyModel", &BM_SynchronizeIntoEmptyModel},
      {"BM_SynchronizeReplacingModel", &BM_SynchronizeReplacingModel},
      {"BM_SynchronizeUnchangedModel", &BM_SynchronizeUnchangedModel}};
  for (const auto& [name, run] : runs) {
    benchmark::RegisterBenchmark(name, run)->Arg(count)->Iterations(presses)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
