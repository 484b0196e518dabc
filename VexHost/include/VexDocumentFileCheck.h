#pragma once
// Decides, without writing a byte, whether a file is a plant document that this version can open.
// Whatever it refuses is refused with an input error naming the file: a missing file, a file that
// is not a database, a truncated document, a database of another application, a newer document.

#include "VexUnicodeString.h"

class VexDocumentFileCheck {
 public:
  static void Verify(const VexUnicodeString& path);

 private:
  static void VerifyHeader(const VexUnicodeString& path);
  static void VerifyTables(const VexUnicodeString& path);
};
