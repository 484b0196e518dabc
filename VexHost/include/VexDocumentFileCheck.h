#pragma once
// Decides, without writing a byte, whether a file is a plant document that this version can open.
// Whatever it refuses is refused with an input error naming the file: a missing file, a file that
// is not a database, a truncated document, a database of another application, a newer document,
// a document whose tables are damaged (an index that disagrees with its table included).

#include "VexSqlDatabase.h"
#include "VexUnicodeString.h"

class VexDocumentFileCheck {
 public:
  /// All the checks below, in order.
  static void Verify(const VexUnicodeString& path);
  /// The path alone: it names an existing regular file (links followed; a loop of links is named
  /// as such). Cheap, and safe while another session writes the document.
  static void VerifyPath(const VexUnicodeString& path);

 private:
  /// A database of this application, whole.
  static void VerifyHeader(const VexUnicodeString& path);
  /// A version this program knows, and every table and index intact.
  static void VerifyTables(const VexUnicodeString& path);
  static void VerifyIntegrity(VexSqlDatabase& database, VexSqlDatabase::Mode mode,
                              const VexUnicodeString& path);
};
