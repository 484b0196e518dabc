// The network model at 1k, 10k and 100k (and, asked for with --sizes, 1M) nodes and branches:
//   - creating N nodes and N branches through the project services in one user event, commit
//     included (target for 100k: 2 s), and the floor: a bare INSERT of the same rows into the same
//     tables and indexes in one event. The program ends by printing the ratio of the two (target:
//     at most 2 at every size);
//   - SearchForNodeId and SearchForBranchId on a network of that size: hash lookups, a fixed number
//     of steps whatever N; what grows at 100k is memory latency once the tables outgrow the cache.
// Each size runs in a process of its own, which prints its peak memory.
// Run: build/default/bin/network_model_benchmark [--sizes=1000,10000,100000,1000000]

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "BenchProcess.h"
#include "VexDocument.h"
#include "VexGrdNetworkModel.h"
#include "VexGrdProject.h"
#include "VexSqlDatabase.h"
#include "VexSqlStatement.h"

namespace {

class TemporaryDocument {
 public:
  TemporaryDocument() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "voltaria-bench-XXXXXX").string();
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
  return VexUnicodeString("N" + std::string(6 - std::min<std::size_t>(6, digits.size()), '0') +
                          digits);
}

// N nodes in a chain and the N branches between neighbours (the last one closes the ring).
void CreateNetwork(VexGrdProject& project, long count) {
  for (long i = 0; i < count; ++i) project.CreateNode(NodeId(i));
  for (long i = 0; i < count; ++i) project.CreateBranch(NodeId(i), NodeId((i + 1) % count));
}

// The rows CreateNetwork makes, written straight into the model's tables.
void InsertNetwork(VexSqlDatabase& database, long count) {
  VexSqlStatement& node = database.Cached("INSERT INTO grd_node(identifier) VALUES (?)");
  for (long i = 0; i < count; ++i) {
    node.BindText(1, NodeId(i)).Run();
    node.Reset();
  }
  VexSqlStatement& branch = database.Cached("INSERT INTO grd_branch(from_node, to_node) VALUES (?, ?)");
  for (long i = 0; i < count; ++i) {
    branch.BindText(1, NodeId(i)).BindText(2, NodeId((i + 1) % count)).Run();
    branch.Reset();
  }
}

/// Times `fill` in one event on a fresh, empty model.
template <class Fill>
void TimeInOneEvent(benchmark::State& state, Fill fill) {
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<TemporaryDocument>();
    state.ResumeTiming();
    document->Document().BeginEvent();
    fill(*document);
    document->Document().CommitEvent();
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
  state.counters["nodes+branches"] = static_cast<double>(2 * state.range(0));
}

void BM_CreateNetworkInOneEvent(benchmark::State& state) {
  TimeInOneEvent(state, [&](TemporaryDocument& document) { CreateNetwork(document.Project(), state.range(0)); });
}

void BM_BareInsertInOneEvent(benchmark::State& state) {
  TimeInOneEvent(state, [&](TemporaryDocument& document) {
    InsertNetwork(document.Document().GetDatabase(), state.range(0));
  });
}

/// Prints as the console does and keeps each run's mean time, for the ratio at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      seconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio(long count) const {
    auto services = seconds_.find("BM_CreateNetworkInOneEvent");
    auto bare = seconds_.find("BM_BareInsertInOneEvent");
    if (services == seconds_.end() || bare == seconds_.end() || bare->second <= 0) return;
    std::printf("services / bare insert at %ld + %ld: %.2f (target: at most 2)\n", count, count,
                services->second / bare->second);
  }

 private:
  std::map<std::string, double> seconds_;
};

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


}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes = bench::TakeSizes(argc, argv);
  if (bench::RunEachSizeApart(sizes, argc, argv)) return 0;
  const long count = sizes.front();
  const int events = count >= bench::kLargeSize ? 1 : 3;
  benchmark::RegisterBenchmark("BM_CreateNetworkInOneEvent", BM_CreateNetworkInOneEvent)
      ->Arg(count)->Iterations(events)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_BareInsertInOneEvent", BM_BareInsertInOneEvent)
      ->Arg(count)->Iterations(events)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_SearchForNodeId", BM_SearchForNodeId)->Arg(count);
  benchmark::RegisterBenchmark("BM_SearchForBranchId", BM_SearchForBranchId)->Arg(count);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio(count);
  benchmark::Shutdown();
  return 0;
}
