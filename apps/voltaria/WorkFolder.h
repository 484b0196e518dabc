#pragma once
// The working folder of the bundled tour: a fresh copy of the sample plant document and its EDSA
// project, with a settings folder of its own, so the tour never touches the user's files.

#include <filesystem>

struct WorkFolder {
  std::filesystem::path root;      ///< the folder itself
  std::filesystem::path plant;     ///< root/plant.vxd
  std::filesystem::path edsa;      ///< root/edsa: the EDSA project (master file and job files)
  std::filesystem::path settings;  ///< root/settings

  /// Copies the sample found in `sampleFolder` (plant.vxd and edsa/) into a new folder
  /// "tour-<date>-<time>" under `parent`. The document remembers its master file relative to its
  /// own folder, so the copy names the copied master file. Raises std::runtime_error naming what
  /// is missing or cannot be written.
  static WorkFolder CreateFromSample(const std::filesystem::path& sampleFolder,
                                     const std::filesystem::path& parent);
};
