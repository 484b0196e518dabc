// The network model at 1k, 10k and 100k nodes and branches:
//   - creating N nodes and N branches in one user event, commit included (target for 100k: 2 s);
//   - SearchForNodeId and SearchForBranchId on a network of that size: hash lookups, a fixed number
//     of steps whatever N; what grows at 100k is memory latency once the tables outgrow the cache.
// Run: build/default/bin/network_model_benchmark

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "VexDocument.h"
#include "VexGrdProject.h"

namespace {

class TemporaryDocument {
 public:
  TemporaryDocument() {
    std::string pattern = (std::filesystem::temp_directory_path() / "voltaria-bench-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data()) ? pattern : "";
    document_ = VexDocument::Create((folder_ / "plant.vxd").string().c_str());
    project_ = std::make_unique<VexGrdProject>(document_.get());
  }
  ~TemporaryDocument() {
    project_.reset();
    document_.reset();
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  VexDocument& Document() { return *document_; }
  VexGrdProject& Project() { return *project_; }

 private:
  std::filesystem::path folder_;
  std::unique_ptr<VexDocument> document_;
  std::unique_ptr<VexGrdProject> project_;
};

// "N000042": at most 8 characters, as EDSA node names are.
VexUnicodeString NodeId(long i) {
  std::string digits = std::to_string(i);
  return VexUnicodeString("N" + std::string(6 - std::min<std::size_t>(6, digits.size()), '0') + digits);
}

// N nodes in a chain and the N branches between neighbours (the last one closes the ring).
void CreateNetwork(VexGrdProject& project, long count) {
  for (long i = 0; i < count; ++i) project.CreateNode(NodeId(i));
  for (long i = 0; i < count; ++i) project.CreateBranch(NodeId(i), NodeId((i + 1) % count));
}

void BM_CreateNetworkInOneEvent(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<TemporaryDocument>();
    state.ResumeTiming();
    document->Document().BeginEvent();
    CreateNetwork(document->Project(), state.range(0));
    document->Document().CommitEvent();
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  state.counters["nodes+branches"] = static_cast<double>(2 * state.range(0));
}
BENCHMARK(BM_CreateNetworkInOneEvent)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_SearchForNodeId(benchmark::State& state) {
  TemporaryDocument document;
  document.Document().BeginEvent();
  CreateNetwork(document.Project(), state.range(0));
  document.Document().CommitEvent();
  std::mt19937 random(42);
  std::uniform_int_distribution<long> pick(0, state.range(0) - 1);
  std::vector<VexUnicodeString> ids;
  for (int i = 0; i < 4096; ++i) ids.push_back(NodeId(pick(random)));
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(document.Project().SearchForNodeId(ids[next++ & 4095]));
  }
}
BENCHMARK(BM_SearchForNodeId)->Arg(1000)->Arg(10000)->Arg(100000);

void BM_SearchForBranchId(benchmark::State& state) {
  TemporaryDocument document;
  document.Document().BeginEvent();
  CreateNetwork(document.Project(), state.range(0));
  document.Document().CommitEvent();
  std::mt19937 random(7);
  std::uniform_int_distribution<long> pick(0, state.range(0) - 1);
  std::vector<std::pair<VexUnicodeString, VexUnicodeString>> ends;
  for (int i = 0; i < 4096; ++i) {
    long from = pick(random);
    ends.emplace_back(NodeId(from), NodeId((from + 1) % state.range(0)));
  }
  std::size_t next = 0;
  for (auto _ : state) {
    const auto& [from, to] = ends[next++ & 4095];
    benchmark::DoNotOptimize(document.Project().SearchForBranchId(from, to));
  }
}
BENCHMARK(BM_SearchForBranchId)->Arg(1000)->Arg(10000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
