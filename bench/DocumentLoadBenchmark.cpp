// Opening a plant document: checking the file, then loading every plant element with its route
// and attributes. Run: build/default/bin/document_load_benchmark

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>

#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexFileServices.h"

namespace fs = std::filesystem;

namespace {

// Documents are built once per size and removed when the program ends.
class SamplePlants {
 public:
  ~SamplePlants() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }

  const VexUnicodeString& PathFor(int elementCount) {
    auto found = paths_.find(elementCount);
    if (found == paths_.end()) found = paths_.emplace(elementCount, Build(elementCount)).first;
    return found->second;
  }

 private:
  VexUnicodeString Build(int elementCount) {
    if (folder_.empty()) {
      std::string pattern = VexGetTempDirectory().str() + "/voltaria-bench-XXXXXX";
      if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
      folder_ = pattern;
    }
    VexUnicodeString path((folder_ / ("plant-" + std::to_string(elementCount) + ".vxd")).string());
    auto document = VexDocument::Create(path);
    VexDocumentTransaction transaction(*document);
    for (int i = 0; i < elementCount; ++i) AddElement(*document, i);
    transaction.Commit();
    return path;
  }

  // Two of three elements are routed conduits, trays or cables; the others are equipment.
  static void AddElement(VexDocument& document, int i) {
    static const VexElementKind kinds[] = {VexElementKind::Conduit, VexElementKind::Tray,
                                           VexElementKind::Equipment};
    const VexElementKind kind = kinds[i % 3];
    auto element = document.CreateElement(VexUnicodeString("E-" + std::to_string(i)),
                                          VexUnicodeString(VexElementKindName(kind)), kind);
    if (VexIsLinearKind(kind)) {
      const double x = 1000.0 * (i % 500);
      document.SetRoutePoints(*element,
                              {{x, 0, 0}, {x, 2500, 0}, {x, 2500, 3000}, {x, 9000, 3000}});
      document.SetNumberAttribute(*element, "CableDiameter", 12.5 + i % 7);
      document.SetNumberAttribute(*element, "InnerDiameter", 50.0);
    } else {
      document.SetTextAttribute(*element, "Tag", VexUnicodeString("MCC-" + std::to_string(i)));
    }
  }

  fs::path folder_;
  std::map<int, VexUnicodeString> paths_;
};

SamplePlants& Plants() {
  static SamplePlants plants;
  return plants;
}

void BM_OpenDocument(benchmark::State& state) {
  const int elementCount = static_cast<int>(state.range(0));
  const VexUnicodeString& path = Plants().PathFor(elementCount);
  for (auto _ : state) {
    auto document = VexDocument::Open(path);
    if (document->GetElementCount() != elementCount) state.SkipWithError("elements missing");
    benchmark::DoNotOptimize(document.get());
  }
  state.SetItemsProcessed(state.iterations() * elementCount);
}
BENCHMARK(BM_OpenDocument)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
