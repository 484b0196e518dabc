#pragma once
// Path services of the host.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "VexUnicodeString.h"

/// Non-zero when `fileName` is an existing regular file in `directory` (with or without a trailing
/// separator; an empty directory means the current one).
int VexFindPath(const char* fileName, const char* directory);

/// The whole content of `path` when it names a regular file (symbolic links followed) that can
/// be read. A FIFO, a device or a folder is never opened in a way that could block: it gives
/// nothing, as does a file larger than `limit` bytes. `problem`, when given, then says why
/// ("is not a regular file", "is larger than ...", the system's reason).
std::optional<std::string> VexReadRegularFile(const std::filesystem::path& path,
                                              std::string* problem = nullptr,
                                              std::size_t limit = std::size_t{1} << 30);

/// Absolute path with symbolic links, "." and ".." resolved. Returns 0 and sets `realPath` when the
/// path exists; returns -1 and leaves `realPath` unchanged otherwise.
int VexGetRealPath(const VexUnicodeString& path, VexUnicodeString& realPath);

/// The folder for temporary files: $TMPDIR when set, else /tmp; ends without a separator.
VexUnicodeString VexGetTempDirectory();

/// `prefix` followed by the local date and time ("20261205-142530"), with "-2", "-3", ... added
/// while that path exists: a fresh name for a file or folder made beside earlier ones.
std::filesystem::path VexUnusedTimeStampedPath(const std::filesystem::path& prefix);
