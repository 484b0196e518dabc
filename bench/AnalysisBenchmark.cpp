// The network analyses on generated networks: radial feeders (each bus hangs from the bus four
// places before it halved, a 4-ary tree) with one tie line every 20 buses that closes a mesh, a
// generator every 1000 buses and a motor every 10 buses.
//   - AC load flow at 1k, 10k and 100k buses (targets: 10k under 1 s; 100k at most 12 times 10k);
//   - all-bus three-phase short circuit at 1k and 10k buses (target: 10k under 5 s).
// Building the network from its data is outside the timing; what is timed is the analysis.
// Run: build/default/bin/analysis_benchmark

#include <benchmark/benchmark.h>

#include <string>

#include "LoadFlow.h"
#include "MasterData.h"
#include "ShortCircuit.h"

using namespace voltaria::analysis;

namespace {

constexpr int kTieEvery = 20;
constexpr double kTotalLoadKw = 500000;  // the same 500 MW whatever the size, so voltages stay alike

MasterData GeneratedNetwork(int buses) {
  MasterData data;
  data.path = "generated.mas";
  data.networkType = "3P";
  data.baseMva = 100;
  auto id = [](int i) { return "B" + std::to_string(i); };
  for (int i = 0; i < buses; ++i) data.buses.push_back({id(i), 33.0, std::nullopt});
  data.utilities.push_back({id(0), 1.02, 2000.0, 15.0});
  BranchData line;
  line.kind = BranchKind::Line;
  line.resistancePu = 0.0005;
  line.reactancePu = 0.001;
  line.susceptancePu = 0.0002;
  for (int i = 1; i < buses; ++i) {
    line.from = id((i - 1) / 4);
    line.to = id(i);
    data.branches.push_back(line);
    if (i % kTieEvery == 0 && i + 7 < buses) {
      line.from = id(i);
      line.to = id(i + 7);
      data.branches.push_back(line);
    }
    double loadKw = kTotalLoadKw / buses;
    data.loads.push_back({"L" + std::to_string(i), id(i), loadKw, 0.4 * loadKw});
    if (i % 1000 == 0) {
      data.generators.push_back({"G" + std::to_string(i), id(i), 50 * loadKw, 1.0, -100 * loadKw, 100 * loadKw, 1000.0, 0.15});
    }
    if (i % 10 == 0) data.motors.push_back({"M" + std::to_string(i), id(i), 0.2 * loadKw, 0.85, 0.92, 6.0, 0.3});
  }
  return data;
}

void BM_AcLoadFlow(benchmark::State& state) {
  Network network = BuildNetwork(GeneratedNetwork(static_cast<int>(state.range(0))));
  std::vector<Complex> demand = network.DemandPu();
  int iterations = 0;
  for (auto _ : state) {
    LoadFlowSolution solution = SolveLoadFlow(network, demand);
    iterations = solution.iterations;
    benchmark::DoNotOptimize(solution.voltagePu.data());
  }
  state.counters["newton_iterations"] = iterations;
}
BENCHMARK(BM_AcLoadFlow)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AllBusShortCircuit(benchmark::State& state) {
  Network network = BuildNetwork(GeneratedNetwork(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    std::vector<BusFault> faults = ComputeShortCircuit(network);
    benchmark::DoNotOptimize(faults.data());
  }
}
BENCHMARK(BM_AllBusShortCircuit)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
