#include "VexSqlDatabase.h"

#include <sqlite3.h>

#include <cctype>
#include <cstring>
#include <string>

#include "VexError.h"

namespace {

int OpenFlags(VexSqlDatabase::Mode mode) {
  switch (mode) {
    case VexSqlDatabase::Mode::Inspect:
      return SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
    case VexSqlDatabase::Mode::ReadOnly:
      return SQLITE_OPEN_READONLY;
    case VexSqlDatabase::Mode::ReadWrite:
      return SQLITE_OPEN_READWRITE;
    case VexSqlDatabase::Mode::Create:
      break;
  }
  return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
}

// "file:" form of a path, with every byte that could be read as URI syntax escaped.
std::string InspectionUri(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (unsigned char byte : path) {
    if (std::isalnum(byte) || std::strchr("/-_.~", byte)) {
      uri += static_cast<char>(byte);
    } else {
      uri += '%';
      uri += hex[byte >> 4];
      uri += hex[byte & 0xF];
    }
  }
  return uri + "?immutable=1";
}

// What the file or the machine did wrong is the user's to fix; anything else is ours.
const char* InputErrorKey(int primaryCode) {
  switch (primaryCode) {
    case SQLITE_NOTADB:
      return "DocumentNotADocument";
    case SQLITE_CORRUPT:
      return "DocumentDamaged";
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return "DocumentCannotOpen";
    case SQLITE_IOERR:
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOLFS:
    case SQLITE_PROTOCOL:
      return "DocumentWriteFailed";
    case SQLITE_CONSTRAINT:
      return "DocumentChangeRefused";
    default:
      return nullptr;
  }
}

// SQLite's memory statistics take one lock for the whole process on every allocation: with two
// connections reading side by side (the check at opening), most of their time went to waiting
// for it. Nothing here reads those statistics. Only possible before SQLite starts; later it is
// refused, harmlessly.
void TurnOffMemoryStatistics() {
  static const int done = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)done;
}

}  // namespace

VexSqlDatabase::VexSqlDatabase(const VexUnicodeString& path, Mode mode) : path_(path) {
  TurnOffMemoryStatistics();
  // One connection serves one thread (the session's), so SQLite's own locking is not needed.
  const std::string name = mode == Mode::Inspect ? InspectionUri(path.str()) : path.str();
  int code =
      sqlite3_open_v2(name.c_str(), &handle_, OpenFlags(mode) | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    // The handle holds the reason; keep it long enough to report it.
    VexUnicodeString reason(handle_ ? sqlite3_errmsg(handle_) : sqlite3_errstr(code));
    Close();
    throw VexInputError(2, "DocumentCannotOpen", kVexHostCatalog, {path_, reason});
  }
  sqlite3_extended_result_codes(handle_, 1);
  sqlite3_busy_timeout(handle_, 2000);
}

VexSqlDatabase::~VexSqlDatabase() { Close(); }

void VexSqlDatabase::Close() noexcept {
  cache_.clear();
  // close_v2 defers the close until statements that outlived their owner are finalized.
  if (handle_) sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

std::string VexSqlDatabase::QuoteName(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

VexUnicodeString VexSqlDatabase::GetFullPath() const {
  const char* name = sqlite3_db_filename(handle_, "main");
  return name && *name ? VexUnicodeString(name) : path_;
}

bool VexSqlDatabase::IsReadOnly() const { return sqlite3_db_readonly(handle_, "main") != 0; }

bool VexSqlDatabase::IsInTransaction() const { return sqlite3_get_autocommit(handle_) == 0; }

void VexSqlDatabase::Execute(const char* sql) {
  int code = sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Raise(code, sql);
}

VexSqlStatement VexSqlDatabase::Prepare(const char* sql) { return VexSqlStatement(*this, sql); }

VexSqlStatement& VexSqlDatabase::Cached(const char* sql) {
  auto found = cache_.find(std::string_view(sql));
  if (found == cache_.end()) {
    found = cache_.emplace(sql, std::make_unique<VexSqlStatement>(*this, sql)).first;
  } else {
    found->second->Reset();
  }
  return *found->second;
}

std::int64_t VexSqlDatabase::QueryInteger(const char* sql, std::int64_t otherwise) {
  VexSqlStatement statement(*this, sql);
  if (!statement.Step() || statement.IsNull(0)) return otherwise;
  return statement.ColumnInteger(0);
}

std::int64_t VexSqlDatabase::GetLastInsertId() const { return sqlite3_last_insert_rowid(handle_); }

int VexSqlDatabase::GetChanges() const { return sqlite3_changes(handle_); }

void VexSqlDatabase::Raise(int code, const char* sql) const {
  // The connection's message is more precise, but only when it is about this failure.
  bool connectionKnows = handle_ && sqlite3_extended_errcode(handle_) == code;
  VexUnicodeString reason(connectionKnows ? sqlite3_errmsg(handle_) : sqlite3_errstr(code));
  if (const char* key = InputErrorKey(code & 0xff)) {
    throw VexInputError(2, key, kVexHostCatalog, {path_, reason});
  }
  throw VexInternalError(3, "DocumentStatementFailed", kVexHostCatalog,
                         {path_, reason, VexUnicodeString(sql ? sql : "")});
}
