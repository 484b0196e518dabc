// The desktop front end: filling a list of many rows through its peer, opening a large plant in
// the plant view, and redrawing while orbiting, under Mesa's software renderer. Runs on the
// display it is given, else on an Xvfb of its own.
//   build/default/bin/desktop_benchmark [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

#include "VexDlgDialog.h"
#include "VexDlgMultiList.h"
#include "VexDocumentTransaction.h"
#include "VexFileServices.h"
#include "VexPlacement.h"
#include "VexQtDialogMirror.h"
#include "VexQtPeer.h"
#include "VexQtDisplay.h"
#include "VexQtPlantView.h"
#include "VexWorkspace.h"

namespace fs = std::filesystem;

namespace {

// A list of `rows` rows of three columns, filled by the module's calls, then shown: the peer's
// model is reset once and the view lays out and paints the rows on screen.
void BM_ListFill(benchmark::State& state) {
  VexVar<VexDlgWindow> root(new VexDlgWindow(nullptr, "Root"));
  root->SetVisibility(VexDialog::kShown);
  auto* dialog = new VexDlgDialog(root.get(), "Dlg");
  auto* list = new VexDlgMultiList(dialog, "Rows", VexDlgMultiList::kMultipleSelection);
  VexUnicodeString titles[] = {"Branch", "From", "To"};
  list->SetColumnTitles(3, titles);
  dialog->SetVisibility(VexDialog::kShown);
  VexQtDialogMirror mirror(*root, nullptr);
  mirror.Flush();
  auto* view = qobject_cast<QTreeView*>(mirror.PeerOf(list)->GetView());
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    list->ClearLine();
    for (int row = 0; row < rows; ++row) {
      std::string id = std::to_string(row);
      list->SetColumnItem(0, VexUnicodeString("B" + id), row);
      list->SetColumnItem(1, VexUnicodeString("BUS" + id), row);
      list->SetColumnItem(2, VexUnicodeString("BUS" + std::to_string(row + 1)), row);
    }
    mirror.Flush();
    view->viewport()->repaint();
    if (view->model()->rowCount() != rows) state.SkipWithError("the view does not show every row");
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_ListFill)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Plants of equipment boxes and routed conduits on a grid, built once per size.
class Plants {
 public:
  ~Plants() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
  }
  std::string PathFor(int elements) {
    auto found = paths_.find(elements);
    if (found == paths_.end()) found = paths_.emplace(elements, Build(elements)).first;
    return found->second;
  }

 private:
  std::string Build(int elements) {
    if (folder_.empty()) {
      std::string pattern = VexGetTempDirectory().str() + "/voltaria-desktop-bench-XXXXXX";
      if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
      folder_ = pattern;
    }
    std::string path = (folder_ / ("plant-" + std::to_string(elements) + ".vxd")).string();
    auto document = VexDocument::Create(VexUnicodeString(path));
    VexDocumentTransaction transaction(*document);
    int side = static_cast<int>(std::ceil(std::sqrt(elements)));
    for (int i = 0; i < elements; ++i) {
      double x = 3000.0 * (i % side), y = 3000.0 * (i / side);
      if (i % 2 == 0) {
        auto box = document->CreateElement(VexUnicodeString("EQ-" + std::to_string(i)), "Cabinet",
                                           VexElementKind::Equipment);
        VexSetPlacement(*document, *box, {{x, y, 0}, 1200, 800, 2000});
      } else {
        auto conduit = document->CreateElement(VexUnicodeString("CD-" + std::to_string(i)), "Conduit",
                                               VexElementKind::Conduit);
        document->SetRoutePoints(*conduit, {{x, y, 2500}, {x + 2500, y, 2500}, {x + 2500, y + 2500, 2500}});
      }
    }
    transaction.Commit();
    return path;
  }
  fs::path folder_;
  std::map<int, std::string> paths_;
};

Plants& SamplePlants() {
  static Plants plants;
  return plants;
}

// From the open document to the first frame drawn: scene, meshes, upload and one render.
void BM_PlantViewOpen(benchmark::State& state) {
  auto workspace = VexWorkspace::Open(VexUnicodeString(SamplePlants().PathFor(static_cast<int>(state.range(0)))), false);
  for (auto _ : state) {
    VexQtPlantView view;
    view.resize(1280, 800);
    view.show();
    view.ShowEditor(workspace->GetEditor(), workspace->GetViewer());
    if (view.CaptureFrame(60000).isNull()) state.SkipWithError("no frame was drawn");
  }
  state.counters["elements"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PlantViewOpen)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// Frames per second while the camera turns around the plant, one frame per step.
void BM_PlantViewOrbit(benchmark::State& state) {
  auto workspace = VexWorkspace::Open(VexUnicodeString(SamplePlants().PathFor(static_cast<int>(state.range(0)))), false);
  VexQtPlantView view;
  view.resize(1280, 800);
  view.show();
  view.ShowEditor(workspace->GetEditor(), workspace->GetViewer());
  view.CaptureFrame(60000);
  int frames = 0;
  QElapsedTimer clock;
  clock.start();
  for (auto _ : state) {
    view.Orbit(5.0f);
    if (view.CaptureFrame(60000).isNull()) state.SkipWithError("no frame was drawn");
    ++frames;
  }
  state.counters["fps"] = frames / (clock.nsecsElapsed() / 1e9);
  state.counters["elements"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_PlantViewOrbit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::unique_ptr<VexQtVirtualDisplay> display;
  if (!VexQtIsDisplayAvailable()) display = std::make_unique<VexQtVirtualDisplay>();
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication application(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
