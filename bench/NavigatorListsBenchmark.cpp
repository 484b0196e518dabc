// The panel's registry rebuild with the Navigator lists at 1k, 10k and 100k nodes and branches:
//   - BM_RegistryRebuild: UpdateModelNodeBranchData, which reads the model and refills the
//     Associate and Navigator lists (target for 100k nodes and 100k branches: under 300 ms);
//   - BM_NavigatorListsRefill: the Navigator's share, UpdateNodeBranchLists, on the same records.
// "Show all" is on, so every node and branch gets a row: the largest lists the page can have.
// Run: build/default/bin/navigator_lists_benchmark

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "VexDlgCheckButton.h"
#include "VexGrdNavigatorFrm.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexSession.h"
#include "VexWorkspace.h"

namespace {

VexUnicodeString NodeId(long i) { return VexUnicodeString("N" + std::to_string(i)); }

/// A document with `count` nodes in a ring and the panel built on it.
class PanelOnNetwork {
 public:
  explicit PanelOnNetwork(long count) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "voltaria-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data()) ? pattern : "";
    workspace_ = VexWorkspace::Open(VexUnicodeString((folder_ / "plant.vxd").string()), true);
    VexGrdProject project(&workspace_->GetDocument());
    VexSession::GetSession().RunEvent("build network", [&] {
      for (long i = 0; i < count; ++i) project.CreateNode(NodeId(i));
      for (long i = 0; i < count; ++i) project.CreateBranch(NodeId(i), NodeId((i + 1) % count));
    });
    panel_ = new VexGrdPanel();
    dynamic_cast<VexDlgCheckButton*>(panel_->FindPath("NavigatorTab/ShowAllCheck"))->SetState(1, 0);
  }
  ~PanelOnNetwork() {
    VexCommandDeletion(panel_);
    workspace_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  VexGrdPanel& Panel() { return *panel_; }
  VexGrdNavigatorFrm& Navigator() {
    return *dynamic_cast<VexGrdNavigatorFrm*>(panel_->FindChild("NavigatorFrame"));
  }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<VexWorkspace> workspace_;
  VexGrdPanel* panel_;  // held by the main window until deleted
};

void BM_RegistryRebuild(benchmark::State& state) {
  PanelOnNetwork network(state.range(0));
  for (auto _ : state) network.Panel().UpdateModelNodeBranchData();
  state.counters["records"] = static_cast<double>(2 * state.range(0));
}
BENCHMARK(BM_RegistryRebuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NavigatorListsRefill(benchmark::State& state) {
  PanelOnNetwork network(state.range(0));
  network.Panel().UpdateModelNodeBranchData();
  for (auto _ : state) {
    network.Navigator().UpdateNodeBranchLists(network.Panel().GetNodeBranchRecords());
  }
  state.counters["records"] = static_cast<double>(2 * state.range(0));
}
BENCHMARK(BM_NavigatorListsRefill)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
