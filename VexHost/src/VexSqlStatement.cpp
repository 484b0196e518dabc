#include "VexSqlStatement.h"

#include <sqlite3.h>

#include <utility>

#include "VexError.h"
#include "VexSqlDatabase.h"

VexSqlStatement::VexSqlStatement(VexSqlDatabase& database, const char* sql) : database_(&database) {
  int code = sqlite3_prepare_v3(database.GetHandle(), sql, -1, SQLITE_PREPARE_PERSISTENT,
                                &statement_, nullptr);
  if (code != SQLITE_OK) database.Raise(code, sql);
  if (!statement_) {
    // Only blanks or comments: nothing would ever run, which is a mistake of the caller.
    database.Raise(SQLITE_MISUSE, sql);
  }
}

VexSqlStatement::~VexSqlStatement() { sqlite3_finalize(statement_); }

VexSqlStatement::VexSqlStatement(VexSqlStatement&& other) noexcept
    : database_(other.database_), statement_(std::exchange(other.statement_, nullptr)) {}

VexSqlStatement& VexSqlStatement::operator=(VexSqlStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(statement_);
    database_ = other.database_;
    statement_ = std::exchange(other.statement_, nullptr);
  }
  return *this;
}

void VexSqlStatement::Check(int code) const {
  if (code != SQLITE_OK) database_->Raise(code, sqlite3_sql(statement_));
}

VexSqlStatement& VexSqlStatement::BindInteger(int index, std::int64_t value) {
  Check(sqlite3_bind_int64(statement_, index, value));
  return *this;
}

VexSqlStatement& VexSqlStatement::BindNumber(int index, double value) {
  Check(sqlite3_bind_double(statement_, index, value));
  return *this;
}

VexSqlStatement& VexSqlStatement::BindText(int index, std::string_view utf8) {
  Check(sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8));
  return *this;
}

VexSqlStatement& VexSqlStatement::BindNull(int index) {
  Check(sqlite3_bind_null(statement_, index));
  return *this;
}

bool VexSqlStatement::Step() {
  int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  try {
    database_->Raise(code, sqlite3_sql(statement_));
  } catch (...) {
    // A failed step leaves the statement needing a reset before any further use.
    sqlite3_reset(statement_);
    throw;
  }
}

void VexSqlStatement::Run() {
  while (Step()) {
  }
}

void VexSqlStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int VexSqlStatement::GetColumnCount() const { return sqlite3_data_count(statement_); }

void VexSqlStatement::CheckColumn(int column) const {
  if (column < 0 || column >= sqlite3_data_count(statement_)) {
    database_->Raise(SQLITE_RANGE, sqlite3_sql(statement_));
  }
}

bool VexSqlStatement::IsNull(int column) const {
  CheckColumn(column);
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t VexSqlStatement::ColumnInteger(int column) const {
  CheckColumn(column);
  return sqlite3_column_int64(statement_, column);
}

double VexSqlStatement::ColumnNumber(int column) const {
  CheckColumn(column);
  return sqlite3_column_double(statement_, column);
}

std::string_view VexSqlStatement::ColumnText(int column) const {
  CheckColumn(column);
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text ? std::string_view(text, sqlite3_column_bytes(statement_, column))
              : std::string_view();
}
