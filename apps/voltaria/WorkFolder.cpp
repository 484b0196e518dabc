#include "WorkFolder.h"

#include <stdexcept>

#include "VexFileServices.h"

namespace fs = std::filesystem;

namespace {

fs::path NewFolder(const fs::path& parent) {
  fs::create_directories(parent);
  fs::path folder = VexUnusedTimeStampedPath(parent / "tour-");
  fs::create_directory(folder);
  return folder;
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
  return work;
}
