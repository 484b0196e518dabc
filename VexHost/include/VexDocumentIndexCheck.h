#pragma once
// Whether an index holds exactly the rows of its table, told from one pass over each.
//
// The database's own full check looks every row of a table up in each of its indexes: one descent
// of the index per row, which for tables of a million rows is most of the time a document takes to
// open. Here the table and the index are each read once, in their own order: the digests of their
// rows (the indexed columns and the row id) must agree, and a unique index must hold as many
// distinct keys as entries, counted in its own order (one comparison with the previous entry).
// Everything else the full check looks at (the pages themselves, NOT NULL and CHECK constraints) is
// the quick check's work.
//
// Only plain indexes are told this way: whole-table indexes on columns of a table with row ids,
// ascending and compared bytewise, so that equal keys are neighbours. The tables of any other index
// are left to the database's check restricted to that table.

#include <cstdint>
#include <string>
#include <vector>

#include "VexSqlDatabase.h"

class VexDocumentIndexCheck {
 public:
  struct Index {
    std::string name;
    std::string table;
    std::vector<std::string> columns;  // in the index's order
    bool unique = false;
    std::int64_t size = 0;  // the table's largest row id: orders the work, largest first
  };
  struct Plan {
    std::vector<Index> plainIndexes;       // largest table first
    std::vector<std::string> otherTables;  // tables with an index this check cannot tell
  };

  /// The indexes of `database`, sorted into those this check tells and the rest. Throws when the
  /// schema cannot be read.
  static Plan PlanFor(VexSqlDatabase& database);

  /// "ok", or how `index` disagrees with its table. Throws when a page cannot be read.
  static std::string Compare(VexSqlDatabase& database, const Index& index);

  /// What Compare reads, one reading at a time, so that the readings of large indexes can run on
  /// connections side by side: a digest of the index's entries or of its table's rows (Agreement
  /// compares them), or the keys of a unique index ("ok", or the finding of a key held twice).
  enum class Reading { Entries, Rows, Keys };
  static std::string Read(VexSqlDatabase& database, const Index& index, Reading reading);
  /// "ok" when the two digests agree, or how the index disagrees with its table.
  static std::string Agreement(const Index& index, const std::string& entries,
                               const std::string& rows);
};
