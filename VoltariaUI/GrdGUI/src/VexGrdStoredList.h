#pragma once
// What a recent-file list read back from the settings may cost. The stored count decides which
// entries are read, gaps included, but a damaged count must not make the panel loop or allocate
// beyond what the repository holds: entries above its highest stored length key are missing
// anyway, and a stored length above 64 KiB is damage, not a path.

#include <algorithm>

#include "VexSettingRepository.h"

constexpr int kLongestStoredPath = 1 << 16;

/// The last entry number worth reading of a list whose count is `storedCount` and whose entries
/// have their lengths under `lengthKeyPrefix`<i>.
inline int VexGrdLastStoredEntry(const VexSettingRepository& repository, int storedCount,
                                 const char* lengthKeyPrefix) {
  const long held = repository.GetHighestEntryNumber(lengthKeyPrefix);
  return static_cast<int>(std::min<long>(storedCount, held));
}
