#pragma once
// Path services of the host.

#include "VexUnicodeString.h"

/// Non-zero when `fileName` is an existing regular file in `directory` (with or without a trailing
/// separator; an empty directory means the current one).
int VexFindPath(const char* fileName, const char* directory);

/// Absolute path with symbolic links, "." and ".." resolved. Returns 0 and sets `realPath` when the
/// path exists; returns -1 and leaves `realPath` unchanged otherwise.
int VexGetRealPath(const VexUnicodeString& path, VexUnicodeString& realPath);

/// The folder for temporary files: $TMPDIR when set, else /tmp; ends without a separator.
VexUnicodeString VexGetTempDirectory();
