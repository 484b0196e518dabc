#include "WorkFolder.h"

#include <stdexcept>

#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexFileServices.h"
#include "VexGrdProject.h"

namespace fs = std::filesystem;

namespace {

fs::path NewFolder(const fs::path& parent) {
  fs::create_directories(parent);
  fs::path folder = VexUnusedTimeStampedPath(parent / "tour-");
  fs::create_directory(folder);
  return folder;
}

// The sample's document names the master file where the build wrote it; the copy must name the
// copied master file, or the tour would change the build's sample.
void RebaseMasterFile(const WorkFolder& work, const fs::path& sampleEdsa) {
  auto document = VexDocument::Open(VexUnicodeString(work.plant.string()));
  auto master = document->GetProperty(VexGrdProject::kMasterFileProperty);
  if (!master) return;
  fs::path relative = fs::weakly_canonical(fs::path(master->str())).lexically_relative(sampleEdsa);
  if (relative.empty() || relative.native().rfind("..", 0) == 0) return;
  VexDocumentTransaction transaction(*document);
  document->SetProperty(VexGrdProject::kMasterFileProperty, VexUnicodeString((work.edsa / relative).string()));
  transaction.Commit();
}

}  // namespace

WorkFolder WorkFolder::CreateFromSample(const fs::path& sampleFolder, const fs::path& parent) {
  fs::path samplePlant = sampleFolder / "plant.vxd";
  fs::path sampleEdsa = sampleFolder / "edsa";
  if (!fs::is_regular_file(samplePlant) || !fs::is_directory(sampleEdsa)) {
    throw std::runtime_error("the sample plant is missing in " + sampleFolder.string() +
                             " (build the target sample_plant)");
  }
  WorkFolder work;
  work.root = NewFolder(parent);
  work.plant = work.root / "plant.vxd";
  work.edsa = work.root / "edsa";
  work.settings = work.root / "settings";
  fs::copy_file(samplePlant, work.plant);
  fs::copy(sampleEdsa, work.edsa, fs::copy_options::recursive);
  fs::remove(work.edsa / "edsa-runs.log");
  fs::create_directory(work.settings);
  RebaseMasterFile(work, fs::weakly_canonical(sampleEdsa));
  return work;
}
