// Importing generated IFC models of 1k, 10k and 100k plant elements: the model reader in its
// child process, then the import into a new document in one transaction. Beside each, the floor:
// a bare scan of the same file's statements. Peak memory is reported for the host process (its
// high-water mark reset before the import) and for the reader child (which reports its own).
//
// Target: 100k elements under 60 s, and at most 12 times the time of 10k.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "StepFile.h"
#include "StepText.h"
#include "VexDocumentTransaction.h"
#include "VexPlantImport.h"
#include "VexPlantModelReader.h"

namespace fs = std::filesystem;

namespace {

// Runs of four trays along x, each run at its own y; every fifth element a motor with a body.
std::string GeneratedModel(int elements) {
  StepText ifc("IFC4", "MILLI");
  for (int i = 0; i < elements; ++i) {
    double x = (i % 4) * 3000.0, y = (i / 4) * 1000.0;
    std::string name = "E" + std::to_string(i);
    std::string head = StepText::Guid(name) + ",$,'" + name + "',$,$," + ifc.Ref(ifc.Placement(0, x, y, 0)) + ",";
    if (i % 5 == 4) {
      int body = ifc.ExtrudedBox(ifc.Axes(0, 0, 0), 400, 300, 600);
      ifc.Add("IFCELECTRICMOTOR(" + head + ifc.Ref(ifc.Shape("Body", {body})) + ",$,$)");
    } else {
      int axis = ifc.Polyline({{0, 0, 0}, {3000, 0, 0}});
      ifc.Add("IFCCABLECARRIERSEGMENT(" + head + ifc.Ref(ifc.Shape("Axis", {axis})) + ",$,.CABLETRAYSEGMENT.)");
    }
  }
  return ifc.Text();
}

// The generated models, written once per size and removed when the program ends.
struct ModelFiles {
  std::map<int, fs::path> bySize;
  ~ModelFiles() {
    for (const auto& [size, file] : bySize) fs::remove(file);
  }
};

const fs::path& ModelFile(int elements) {
  static ModelFiles files;
  auto& file = files.bySize[elements];
  if (file.empty()) {
    file = fs::temp_directory_path() / ("voltaria-import-bench-" + std::to_string(::getpid()) + "-" + std::to_string(elements) + ".ifc");
    std::ofstream(file, std::ios::binary) << GeneratedModel(elements);
  }
  return file;
}

// The process's resident high-water mark, which writing 5 to clear_refs resets.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }
double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
  }
  return 0;
}

void BM_ImportIfc(benchmark::State& state) {
  const fs::path& model = ModelFile(static_cast<int>(state.range(0)));
  fs::path document = fs::temp_directory_path() / ("voltaria-import-bench-" + std::to_string(::getpid()) + ".vxd");
  std::size_t imported = 0;
  double readerPeak = 0;
  ::setenv("VOLTARIA_READER_PEAK", "1", 1);
  ResetPeakMemory();
  for (auto _ : state) {
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(document.string() + suffix);
    auto plant = VexDocument::Create(document.string().c_str());
    VexPlantModel read = VexPlantModelReader::Read(model.string().c_str(), [&](const std::string& stage) {
      if (stage.rfind("peak memory ", 0) == 0) readerPeak = std::stod(stage.substr(12));
    });
    VexDocumentTransaction transaction(*plant);
    imported = VexApplyPlantModel(*plant, read, model.string().c_str()).added.size();
    transaction.Commit();
  }
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(document.string() + suffix);
  if (imported != static_cast<std::size_t>(state.range(0))) state.SkipWithError("not every element was imported");
  state.counters["elements"] = static_cast<double>(imported);
  state.counters["file_MB"] = fs::file_size(model) / 1048576.0;
  state.counters["host_peak_MB"] = PeakMegabytes();
  state.counters["reader_peak_MB"] = readerPeak;
}

// The floor: reading the file and scanning its statements, nothing more.
void BM_ScanStepFile(benchmark::State& state) {
  const fs::path& model = ModelFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ifstream in(model, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    benchmark::DoNotOptimize(CheckStepFile(bytes.str()).entities.size());
  }
}

}  // namespace

BENCHMARK(BM_ScanStepFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIfc)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
