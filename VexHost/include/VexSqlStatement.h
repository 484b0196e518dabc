#pragma once
// A prepared SQL statement of a VexSqlDatabase: bind parameters (numbered from 1), step through
// the rows, read columns (numbered from 0), reset for the next run. Finalized when destroyed.

#include <cstdint>
#include <string_view>

#include "VexUnicodeString.h"

struct sqlite3_stmt;
class VexSqlDatabase;

class VexSqlStatement {
 public:
  VexSqlStatement(VexSqlDatabase& database, const char* sql);
  ~VexSqlStatement();
  VexSqlStatement(VexSqlStatement&& other) noexcept;
  VexSqlStatement& operator=(VexSqlStatement&& other) noexcept;
  VexSqlStatement(const VexSqlStatement&) = delete;
  VexSqlStatement& operator=(const VexSqlStatement&) = delete;

  VexSqlStatement& BindInteger(int index, std::int64_t value);
  VexSqlStatement& BindNumber(int index, double value);
  VexSqlStatement& BindText(int index, std::string_view utf8);
  VexSqlStatement& BindText(int index, const VexUnicodeString& text) {
    return BindText(index, std::string_view(text.str()));
  }
  VexSqlStatement& BindText(int index, const char* utf8) {
    return BindText(index, std::string_view(utf8 ? utf8 : ""));
  }
  VexSqlStatement& BindNull(int index);

  /// Advances to the next row: true when a row is ready, false when the statement is done.
  bool Step();
  /// Runs a statement that returns no rows to its end.
  void Run();
  /// Makes the statement ready to run again and clears its bindings.
  void Reset();

  int GetColumnCount() const;
  bool IsNull(int column) const;
  std::int64_t ColumnInteger(int column) const;
  double ColumnNumber(int column) const;
  /// Valid until the next Step, Reset or column read of another type on this column.
  std::string_view ColumnText(int column) const;

 private:
  void Check(int code) const;
  void CheckColumn(int column) const;

  VexSqlDatabase* database_;
  sqlite3_stmt* statement_ = nullptr;
};
