#pragma once
// A connection to one SQLite database file: the plant document and the tables that the workbench
// services keep in it. Failures are raised as host errors that name the file: a damaged, foreign
// or unwritable file is an input error, a wrong statement is an internal error.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "VexSqlStatement.h"
#include "VexTextHash.h"
#include "VexUnicodeString.h"

struct sqlite3;

class VexSqlDatabase {
 public:
  /// Inspect reads a file that may not be ours without locking it and without creating the
  /// companion files of a write-ahead log; it ignores such a log, so use it only when none exists.
  enum class Mode { Inspect, ReadOnly, ReadWrite, Create };

  /// Opens `path`; all modes but Create need an existing file, Create makes it when missing.
  VexSqlDatabase(const VexUnicodeString& path, Mode mode);
  ~VexSqlDatabase();
  VexSqlDatabase(const VexSqlDatabase&) = delete;
  VexSqlDatabase& operator=(const VexSqlDatabase&) = delete;

  const VexUnicodeString& GetPath() const { return path_; }
  /// The full path of the file the connection has open, for a second connection to the same file
  /// whatever the working folder has become since.
  VexUnicodeString GetFullPath() const;
  /// True when the connection cannot write (opened read-only, or the file is write-protected).
  bool IsReadOnly() const;
  /// True while a transaction is open on the connection.
  bool IsInTransaction() const;

  /// Runs one or more statements that return no rows.
  void Execute(const char* sql);
  /// A new prepared statement; it must not outlive this connection.
  VexSqlStatement Prepare(const char* sql);
  /// A prepared statement kept by the connection for repeated use, reset and without bindings.
  /// Do not ask for the same text again while the statement is still being stepped.
  VexSqlStatement& Cached(const char* sql);
  /// Single-value query: the integer in the first column of the first row, or `otherwise`.
  std::int64_t QueryInteger(const char* sql, std::int64_t otherwise);

  std::int64_t GetLastInsertId() const;
  /// Rows changed by the last INSERT, UPDATE or DELETE.
  int GetChanges() const;

  /// `name` as a quoted identifier, safe to put in a statement whatever it holds.
  static std::string QuoteName(std::string_view name);

  /// Raises the host error for the SQLite result `code`; `sql` is the statement that failed.
  [[noreturn]] void Raise(int code, const char* sql) const;

  sqlite3* GetHandle() const { return handle_; }

 private:
  void Close() noexcept;

  VexUnicodeString path_;
  sqlite3* handle_ = nullptr;
  std::unordered_map<std::string, std::unique_ptr<VexSqlStatement>, VexTextHash, std::equal_to<>>
      cache_;
};
