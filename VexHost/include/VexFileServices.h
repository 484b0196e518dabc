#pragma once
// Path services of the host.

#include <filesystem>

#include "VexUnicodeString.h"

/// Non-zero when `fileName` is an existing regular file in `directory` (with or without a trailing
/// separator; an empty directory means the current one).
int VexFindPath(const char* fileName, const char* directory);

/// Absolute path with symbolic links, "." and ".." resolved. Returns 0 and sets `realPath` when the
/// path exists; returns -1 and leaves `realPath` unchanged otherwise.
int VexGetRealPath(const VexUnicodeString& path, VexUnicodeString& realPath);

/// The folder for temporary files: $TMPDIR when set, else /tmp; ends without a separator.
VexUnicodeString VexGetTempDirectory();

/// `prefix` followed by the local date and time ("20261205-142530"), with "-2", "-3", ... added
/// while that path exists: a fresh name for a file or folder made beside earlier ones.
std::filesystem::path VexUnusedTimeStampedPath(const std::filesystem::path& prefix);
