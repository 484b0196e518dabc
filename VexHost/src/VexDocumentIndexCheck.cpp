#include "VexDocumentIndexCheck.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "VexError.h"
#include "VexSqlStatement.h"

namespace {

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

std::uint64_t HashWords(const unsigned char* bytes, std::size_t size, std::uint64_t tag) {
  std::uint64_t hash = (tag << 56) ^ size;
  for (; size >= 8; bytes += 8, size -= 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, 8);
    hash = std::rotl((hash ^ word) * 0x9e3779b97f4a7c15ULL, 29);
  }
  std::uint64_t tail = 0;
  if (size > 0) std::memcpy(&tail, bytes, size);
  return Mix(hash ^ tail);
}

// A value as the file holds it. A whole number kept in a REAL column may be stored as an integer
// and read back as either, so whole numbers hash as integers whatever their kind.
std::uint64_t HashValue(sqlite3_value* value) {
  const int kind = sqlite3_value_type(value);
  if (kind == SQLITE_TEXT || kind == SQLITE_BLOB) {
    const auto* bytes = static_cast<const unsigned char*>(sqlite3_value_blob(value));
    return HashWords(bytes, static_cast<std::size_t>(sqlite3_value_bytes(value)),
                     static_cast<std::uint64_t>(kind));
  }
  if (kind == SQLITE_NULL) return Mix(SQLITE_NULL);
  std::uint64_t bits = static_cast<std::uint64_t>(sqlite3_value_int64(value));
  if (kind == SQLITE_FLOAT) {
    const double number = sqlite3_value_double(value);
    const bool whole = std::trunc(number) == number && std::fabs(number) < 9.0e18;
    if (!whole) return Mix(std::bit_cast<std::uint64_t>(number) ^ SQLITE_FLOAT);
    bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(number));
  }
  return Mix(bits ^ SQLITE_INTEGER);
}

// The rows of one reading, in no particular order: two readings of the same rows agree whatever
// their order; readings that differ in any row disagree but for odds of one in 2^64. Kept by the
// database for the aggregate below, which zeroes it.
struct Digest {
  std::int64_t rows;
  std::uint64_t sum;
  std::uint64_t mixedSum;
};

constexpr const char* kDigestFunction = "vex_row_digest";

void AddRow(sqlite3_context* context, int count, sqlite3_value** values) {
  auto* digest = static_cast<Digest*>(sqlite3_aggregate_context(context, sizeof(Digest)));
  if (!digest) {
    sqlite3_result_error_nomem(context);
    return;
  }
  std::uint64_t hash = 0;
  for (int i = 0; i < count; ++i) hash = Mix(hash + HashValue(values[i]));
  ++digest->rows;
  digest->sum += hash;
  digest->mixedSum += Mix(hash ^ 0x9e3779b97f4a7c15ULL);
}

void TellDigest(sqlite3_context* context) {
  const auto* digest = static_cast<const Digest*>(sqlite3_aggregate_context(context, 0));
  const Digest none{0, 0, 0};
  const Digest& found = digest ? *digest : none;
  const std::string told = std::to_string(found.rows) + " " + std::to_string(found.sum) + " " +
                           std::to_string(found.mixedSum);
  sqlite3_result_text(context, told.c_str(), static_cast<int>(told.size()), SQLITE_TRANSIENT);
}

std::string Columns(const VexDocumentIndexCheck::Index& index, const char* collation = "") {
  std::string list;
  for (const std::string& column : index.columns) {
    list += (list.empty() ? "" : ", ") + VexSqlDatabase::QuoteName(column) + collation;
  }
  return list;
}

std::string Digested(VexSqlDatabase& database, const VexDocumentIndexCheck::Index& index,
                     const std::string& source) {
  const int made = sqlite3_create_function_v2(database.GetHandle(), kDigestFunction, -1,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, nullptr,
                                              AddRow, TellDigest, nullptr);
  if (made != SQLITE_OK) database.Raise(made, kDigestFunction);
  const std::string sql = std::string("SELECT ") + kDigestFunction + "(" + Columns(index) +
                          ", rowid) FROM " + VexSqlDatabase::QuoteName(index.table) + source;
  VexSqlStatement digest = database.Prepare(sql.c_str());
  return digest.Step() ? std::string(digest.ColumnText(0)) : std::string();
}

// Two entries of a unique index with the same key, none of it null. The index is read in its own
// order, so that telling its distinct keys costs one comparison with the previous entry.
bool HasDuplicateKey(VexSqlDatabase& database, const VexDocumentIndexCheck::Index& index) {
  std::string whole;
  for (const std::string& column : index.columns) {
    whole +=
        (whole.empty() ? " WHERE " : " AND ") + VexSqlDatabase::QuoteName(column) + " IS NOT NULL";
  }
  const std::string entries = " FROM " + VexSqlDatabase::QuoteName(index.table) + " INDEXED BY " +
                              VexSqlDatabase::QuoteName(index.name) + whole;
  const std::string sql = "SELECT (SELECT count(*)" + entries +
                          ") - (SELECT count(*) FROM (SELECT DISTINCT " +
                          Columns(index, " COLLATE BINARY") + entries + "))";
  return database.QueryInteger(sql.c_str(), 0) != 0;
}

// The key columns of `index` when it is plain (see the header), or nothing.
std::vector<std::string> PlainColumns(VexSqlDatabase& database, const std::string& index) {
  VexSqlStatement columns = database.Prepare(
      "SELECT cid, name, \"desc\", coll, \"key\" FROM "
      "pragma_index_xinfo(?) ORDER BY seqno");
  columns.BindText(1, std::string_view(index));
  std::vector<std::string> keyColumns;
  int rowIds = 0, others = 0;
  while (columns.Step()) {
    const std::int64_t column = columns.ColumnInteger(0);
    if (columns.ColumnInteger(4) == 0) {
      (column == -1 ? rowIds : others) += 1;  // what follows the key: the row id, or a key's
      continue;
    }
    if (column < 0 || columns.ColumnInteger(2) != 0 || columns.ColumnText(3) != "BINARY") {
      return {};
    }
    keyColumns.emplace_back(columns.ColumnText(1));
  }
  if (rowIds != 1 || others != 0) return {};
  return keyColumns;
}

// A column named like the row id would hide it from the readings.
bool HidesRowId(VexSqlDatabase& database, const std::string& table) {
  VexSqlStatement columns = database.Prepare(
      "SELECT 1 FROM pragma_table_info(?) WHERE lower(name) = 'rowid'");
  columns.BindText(1, std::string_view(table));
  return columns.Step();
}

}  // namespace

VexDocumentIndexCheck::Plan VexDocumentIndexCheck::PlanFor(VexSqlDatabase& database) {
  Plan plan;
  VexSqlStatement indexes = database.Prepare(
      "SELECT i.name, t.name, i.\"unique\", i.partial FROM sqlite_schema AS t, "
      "pragma_index_list(t.name) AS i WHERE t.type = 'table' ORDER BY t.name, "
      "i.name");
  while (indexes.Step()) {
    Index index{std::string(indexes.ColumnText(0)),
                std::string(indexes.ColumnText(1)),
                {},
                indexes.ColumnInteger(2) != 0,
                0};
    if (std::find(plan.otherTables.begin(), plan.otherTables.end(), index.table) !=
        plan.otherTables.end()) {
      continue;  // its table is checked whole already
    }
    if (indexes.ColumnInteger(3) == 0 && !HidesRowId(database, index.table)) {
      index.columns = PlainColumns(database, index.name);
    }
    if (index.columns.empty()) {
      plan.otherTables.push_back(index.table);
      std::erase_if(plan.plainIndexes,
                    [&](const Index& other) { return other.table == index.table; });
      continue;
    }
    index.size = database.QueryInteger(
        ("SELECT max(rowid) FROM " + VexSqlDatabase::QuoteName(index.table)).c_str(), 0);
    plan.plainIndexes.push_back(std::move(index));
  }
  std::stable_sort(plan.plainIndexes.begin(), plan.plainIndexes.end(),
                   [](const Index& a, const Index& b) { return a.size > b.size; });
  return plan;
}

std::string VexDocumentIndexCheck::Read(VexSqlDatabase& database, const Index& index,
                                        Reading reading) {
  switch (reading) {
    case Reading::Keys:
      return index.unique && HasDuplicateKey(database, index)
                 ? "non-unique entry in index " + index.name
                 : std::string("ok");
    case Reading::Entries:
      return Digested(database, index, " INDEXED BY " + VexSqlDatabase::QuoteName(index.name));
    case Reading::Rows:
      return Digested(database, index, " NOT INDEXED");
  }
  return std::string();
}

std::string VexDocumentIndexCheck::Agreement(const Index& index, const std::string& entries,
                                             const std::string& rows) {
  if (rows == entries) return "ok";
  return "index " + index.name + " does not hold the rows of " + index.table + " (rows " + rows +
         ", entries " + entries + ")";
}

std::string VexDocumentIndexCheck::Compare(VexSqlDatabase& database, const Index& index) {
  const std::string keys = Read(database, index, Reading::Keys);
  if (keys != "ok") return keys;
  return Agreement(index, Read(database, index, Reading::Entries),
                   Read(database, index, Reading::Rows));
}
