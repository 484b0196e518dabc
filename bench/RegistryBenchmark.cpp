// The panel's registry of nodes and branches on networks of 1k, 10k and 100k nodes and as many
// branches, half of them linked to plant elements: one rebuild (UpdateModelNodeBranchData) as a
// user event, the refill of the Associate and Navigator lists included. Target at 100k: 300 ms.
// The counter peak_rss_MB is the process's peak memory with the whole session open on that
// network (target: under 300 MB).
// Run: build/default/bin/registry_benchmark

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>

#include "VexApplicationFrame.h"
#include "VexDlgWindow.h"
#include "VexDocumentTransaction.h"
#include "VexGrdBranch.h"
#include "VexGrdCmd.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdNode.h"
#include "VexGrdPanel.h"
#include "VexScriptedUser.h"
#include "VexSession.h"
#include "VexWorkspace.h"

namespace fs = std::filesystem;

namespace {

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

void BM_RegistryRebuild(benchmark::State& state) {
  long count = state.range(0);
  std::string pattern = (fs::temp_directory_path() / "voltaria-bench-XXXXXX").string();
  fs::path folder = ::mkdtemp(pattern.data());
  ::setenv("VEX_SETTINGS_DIR", (folder / "settings").c_str(), 1);
  {
    auto workspace = VexWorkspace::Open(VexUnicodeString((folder / "plant.vxd").string()), true);
    BuildPlant(workspace->GetDocument(), count);
    VexSession& session = VexSession::GetSession();
    session.SetUser(std::make_unique<VexScriptedUser>());
    VexStateCommand_var command(fctCreateVexGrdCmd());
    session.StartCommand(command);  // the first activation builds the registry once
    auto* panel = dynamic_cast<VexGrdPanel*>(
        VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel"));
    for (auto _ : state) {
      session.RunEvent("rebuild", [panel] { panel->UpdateModelNodeBranchData(); });
    }
    state.counters["records"] = static_cast<double>(panel->GetNodeBranchRecords()->Size());
    state.counters["peak_rss_MB"] = static_cast<double>(PeakMegabytes());
    session.CancelCommand(command.get());
  }
  std::error_code error;
  fs::remove_all(folder, error);
}

}  // namespace

BENCHMARK(BM_RegistryRebuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
