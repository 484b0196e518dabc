#pragma once
// Services on documents of the file menu.

#include "VexBaseUnknown.h"
#include "VexUnicodeString.h"

class VexFmuServices {
 public:
  /// Sets `path` to the file of the document `documentId` (from a chooser's chosen documents).
  /// Returns 0 on success, 1 when `documentId` is null or not a document identifier (`path` is
  /// left unchanged then).
  static int RetreivePath(const VexBaseUnknown_var& documentId, VexUnicodeString& path);
};
