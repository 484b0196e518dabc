// The panel's registry of nodes and branches and the lists of the Associate and Navigator tabs,
// on networks of N nodes and N branches (a ring), half of them linked to plant elements, with the
// EDSA panel open on the Navigator tab:
//   - BM_RegistryRebuild: one rebuild (UpdateModelNodeBranchData) as a user event, the refill of
//     both tabs' lists included;
//   - BM_ShowAllRefill: the designer ticks "show all" in the Navigator: both tabs' lists are
//     refilled with every node and branch (target at 1M: under 300 ms);
//   - BM_PickNodeAndWalk: the designer picks a node row of the full Navigator list: the node is
//     found and its neighbours become the graph's roots (target at 1M: under 50 ms).
// Each size runs in a process of its own, which prints its peak memory.
// Run: build/default/bin/registry_benchmark [--sizes=1000,10000,100000,1000000]

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "BenchProcess.h"
#include "VexApplicationFrame.h"
#include "VexDlgMultiList.h"
#include "VexDlgWindow.h"
#include "VexDocumentTransaction.h"
#include "VexGrdBranch.h"
#include "VexGrdCmd.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNode.h"
#include "VexGrdPanel.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexUiDriver.h"
#include "VexWorkspace.h"

namespace fs = std::filesystem;

namespace {

constexpr int kNavigatorTab = 2;

VexUnicodeString NodeId(long i) { return VexUnicodeString("N" + std::to_string(i)); }

// N nodes in a ring, the N branches between neighbours, and one plant element linked to every
// second node and every second branch.
void BuildPlant(VexDocument& document, long count) {
  VexDocumentTransaction transaction(document);
  VexGrdNetworkModel& model = VexGrdNetworkModel::Of(document);
  for (long i = 0; i < count; ++i) {
    auto node = model.CreateNode(NodeId(i));
    if (i % 2 == 0) {
      auto element = document.CreateElement(VexUnicodeString("EQ" + std::to_string(i)), "Equipment",
                                            VexElementKind::Equipment);
      model.Link(*node, *element);
    }
  }
  for (long i = 0; i < count; ++i) {
    auto branch = model.CreateBranch(NodeId(i), NodeId((i + 1) % count));
    if (i % 2 == 0) {
      auto element = document.CreateElement(VexUnicodeString("CD" + std::to_string(i)), "Conduit",
                                            VexElementKind::Conduit);
      model.Link(*branch, *element);
    }
  }
  transaction.Commit();
}

long PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

/// The plant and the open panel, made once for the process's one size.
class PanelSession {
 public:
  explicit PanelSession(long count) {
    std::string pattern = (fs::temp_directory_path() / "voltaria-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    ::setenv("VEX_SETTINGS_DIR", (folder_ / "settings").c_str(), 1);
    workspace_ = VexWorkspace::Open(VexUnicodeString((folder_ / "plant.vxd").string()), true);
    BuildPlant(workspace_->GetDocument(), count);
    VexSession& session = VexSession::GetSession();
    session.SetUser(std::make_unique<VexScriptedUser>());
    command_ = VexStateCommand_var(fctCreateVexGrdCmd());
    session.StartCommand(command_);  // the first activation builds the registry once
    panel_ = dynamic_cast<VexGrdPanel*>(
        VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel"));
    ui_ = std::make_unique<VexUiDriver>(panel_);
    ui_->SelectPage("TabContainer", kNavigatorTab);
  }
  ~PanelSession() {
    ui_.reset();
    VexSession::GetSession().CancelCommand(command_.get());
    workspace_.reset();
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  VexGrdPanel& Panel() { return *panel_; }
  VexUiDriver& Ui() { return *ui_; }

 private:
  fs::path folder_;
  std::unique_ptr<VexWorkspace> workspace_;
  VexStateCommand_var command_;
  VexGrdPanel* panel_ = nullptr;
  std::unique_ptr<VexUiDriver> ui_;
};

std::unique_ptr<PanelSession> gSession;

void BM_RegistryRebuild(benchmark::State& state) {
  VexGrdPanel& panel = gSession->Panel();
  for (auto _ : state) {
    VexSession::GetSession().RunEvent("rebuild", [&panel] { panel.UpdateModelNodeBranchData(); });
  }
  state.counters["records"] = static_cast<double>(panel.GetNodeBranchRecords()->Size());
  state.counters["peak_rss_MB"] = static_cast<double>(PeakMegabytes());
}

void BM_ShowAllRefill(benchmark::State& state) {
  VexUiDriver& ui = gSession->Ui();
  for (auto _ : state) {
    state.PauseTiming();
    ui.Check("NavigatorFrame/ShowAllCheck", false);
    state.ResumeTiming();
    ui.Check("NavigatorFrame/ShowAllCheck", true);
  }
  state.counters["rows"] = ui.Get<VexDlgMultiList>("NodeMultiList").GetLineCount() +
                           ui.Get<VexDlgMultiList>("BranchMultiList").GetLineCount();
  state.counters["peak_rss_MB"] = static_cast<double>(PeakMegabytes());
}

void BM_PickNodeAndWalk(benchmark::State& state) {
  VexUiDriver& ui = gSession->Ui();
  ui.Check("NavigatorFrame/ShowAllCheck", true);
  auto& nodes = ui.Get<VexDlgMultiList>("NodeMultiList");
  std::mt19937 random(42);
  std::uniform_int_distribution<int> pick(0, nodes.GetLineCount() - 1);
  for (auto _ : state) ui.SelectRows("NodeMultiList", {pick(random)});
  state.counters["rows"] = nodes.GetLineCount();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes = bench::TakeSizes(argc, argv);
  if (bench::RunEachSizeApart(sizes, argc, argv)) return 0;
  const long count = sizes.front();
  gSession = std::make_unique<PanelSession>(count);
  benchmark::RegisterBenchmark("BM_RegistryRebuild", BM_RegistryRebuild)
      ->Arg(count)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ShowAllRefill", BM_ShowAllRefill)
      ->Arg(count)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_PickNodeAndWalk", BM_PickNodeAndWalk)
      ->Arg(count)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  gSession.reset();
  return 0;
}
