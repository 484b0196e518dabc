// The panel's registry rebuild at 1k, 10k and 100k nodes and branches, with the refill of the
// Associate page's node and branch lists it hands the records to (and of any other page that
// takes them). Every node and branch is unlinked, so every record becomes a row: the worst case
// of the default lists. Target at 100k nodes and 100k branches: under 300 ms.
// Run: build/default/bin/associate_lists_benchmark

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "VexDocumentTransaction.h"
#include "VexGrdPanel.h"
#include "VexGrdProject.h"
#include "VexWorkspace.h"

namespace {

class TemporaryWorkspace {
 public:
  TemporaryWorkspace() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "voltaria-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data()) ? pattern : "";
    workspace_ = VexWorkspace::Open((folder_ / "plant.vxd").string().c_str(), true);
  }
  ~TemporaryWorkspace() {
    workspace_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  VexDocument& Document() { return workspace_->GetDocument(); }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<VexWorkspace> workspace_;
};

VexUnicodeString NodeId(long i) { return VexUnicodeString("N" + std::to_string(i)); }

void CreateNetwork(VexDocument& document, long count) {
  VexGrdProject project(&document);
  VexDocumentTransaction transaction(document);
  for (long i = 0; i < count; ++i) project.CreateNode(NodeId(i));
  for (long i = 0; i < count; ++i) project.CreateBranch(NodeId(i), NodeId((i + 1) % count));
  transaction.Commit();
}

void BM_RebuildRegistryAndRefillLists(benchmark::State& state) {
  TemporaryWorkspace workspace;
  CreateNetwork(workspace.Document(), state.range(0));
  auto* panel = new VexGrdPanel();  // held by the application's main window
  for (auto _ : state) panel->UpdateModelNodeBranchData();
  state.counters["records"] = static_cast<double>(panel->GetNodeBranchRecords()->Size());
  VexCommandDeletion(panel);
}
BENCHMARK(BM_RebuildRegistryAndRefillLists)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The refill alone: the registry hands its records to the pages again (as show-all does).
void BM_RefillLists(benchmark::State& state) {
  TemporaryWorkspace workspace;
  CreateNetwork(workspace.Document(), state.range(0));
  auto* panel = new VexGrdPanel();
  panel->UpdateModelNodeBranchData();
  for (auto _ : state) panel->UpdatePanelsWithNodeBranchInfo();
  VexCommandDeletion(panel);
}
BENCHMARK(BM_RefillLists)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
