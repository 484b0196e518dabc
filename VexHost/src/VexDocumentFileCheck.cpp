#include "VexDocumentFileCheck.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <exception>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "VexDocumentSchema.h"
#include "VexError.h"
#include "VexSqlDatabase.h"
#include "VexSqlStatement.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kHeaderSize = 100;
constexpr char kMagic[] = "SQLite format 3";  // followed by its NUL: 16 bytes

std::uint32_t BigEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i) value = (value << 8) | bytes[i];
  return value;
}

VexUnicodeString Number(std::uintmax_t value) { return VexUnicodeString(std::to_string(value)); }

[[noreturn]] void Refuse(const char* key, const VexUnicodeString& path,
                         std::vector<VexUnicodeString> more = {}) {
  std::vector<VexUnicodeString> parameters{path};
  parameters.insert(parameters.end(), more.begin(), more.end());
  throw VexInputError(2, key, kVexHostCatalog, std::move(parameters));
}

// A write-ahead log beside the file holds pages the file itself does not have yet.
bool HasPendingLog(const fs::path& file) {
  std::error_code error;
  fs::path log = file;
  log += "-wal";
  return fs::exists(log, error) && fs::file_size(log, error) > 0;
}

constexpr const char* kWholeCheck = "PRAGMA integrity_check(1)";

// The first finding of an integrity check, "ok" when it found nothing.
std::string FirstFinding(VexSqlDatabase& database, const std::string& sql) {
  try {
    VexSqlStatement check = database.Prepare(sql.c_str());
    return check.Step() ? std::string(check.ColumnText(0)) : std::string("ok");
  } catch (const VexInputError& error) {
    return error.what();  // a page too damaged for the check to walk
  }
}

// Everything the full check does, in parts: the quick check walks every page of the file (the
// tree structure, the free list, pages used twice or never, NOT NULL and CHECK constraints), and
// a check restricted to a table compares that table with its indexes, which is all the quick
// check leaves out. The largest tables come first, so that two connections end close together.
std::vector<std::string> SplitChecks(VexSqlDatabase& database) {
  std::vector<std::pair<std::int64_t, std::string>> tables;
  try {
    VexSqlStatement indexed = database.Prepare(
        "SELECT DISTINCT tbl_name FROM sqlite_schema WHERE type = 'index' ORDER BY tbl_name");
    while (indexed.Step()) tables.emplace_back(0, std::string(indexed.ColumnText(0)));
  } catch (const VexInputError&) {
    return {kWholeCheck};  // the schema itself is damaged: the full check tells how
  }
  for (auto& [rows, name] : tables) {
    std::string quoted = "\"";
    for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    quoted += '"';
    name = quoted;
    try {
      rows = database.QueryInteger(("SELECT max(rowid) FROM " + quoted).c_str(), 0);
    } catch (const std::exception&) {
      rows = 0;  // a table without row ids: its size only orders the work
    }
  }
  std::stable_sort(tables.begin(), tables.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> checks;
  for (const auto& [rows, name] : tables) {
    checks.push_back("PRAGMA integrity_check(" + name + ")");
    if (checks.size() == 1) checks.emplace_back("PRAGMA quick_check(1)");
  }
  if (checks.empty()) checks.emplace_back("PRAGMA quick_check(1)");
  return checks;
}

// Runs `checks` on two connections of their own, each taking the next check when it is free,
// and answers the first finding ("ok" when none found anything).
std::string RunSideBySide(const std::vector<std::string>& checks, const VexUnicodeString& path,
                          VexSqlDatabase::Mode mode) {
  std::atomic<std::size_t> next{0};
  std::mutex guard;
  std::string finding = "ok";
  std::exception_ptr failure;
  auto work = [&] {
    try {
      VexSqlDatabase connection(path, mode);
      for (std::size_t i = next++; i < checks.size(); i = next++) {
        std::string found = FirstFinding(connection, checks[i]);
        if (found == "ok") continue;
        std::lock_guard<std::mutex> lock(guard);
        if (finding == "ok") finding = std::move(found);
        next = checks.size();  // one finding is enough
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(guard);
      if (!failure) failure = std::current_exception();
      next = checks.size();
    }
  };
  std::thread helper(work);
  work();
  helper.join();
  if (failure) std::rethrow_exception(failure);
  return finding;
}

}  // namespace

void VexDocumentFileCheck::Verify(const VexUnicodeString& path) {
  VerifyPath(path);
  VerifyHeader(path);
  VerifyTables(path);
}

void VexDocumentFileCheck::VerifyPath(const VexUnicodeString& path) {
  std::error_code error;
  const fs::file_status status = fs::status(fs::path(path.str()), error);
  if (error && error != std::errc::no_such_file_or_directory) {
    if (error == std::errc::too_many_symbolic_link_levels) Refuse("DocumentLinkLoop", path);
    Refuse("DocumentCannotOpen", path, {VexUnicodeString(error.message())});
  }
  if (!fs::exists(status)) Refuse("DocumentMissing", path);
  if (!fs::is_regular_file(status)) Refuse("DocumentNotADatabase", path);
}

void VexDocumentFileCheck::VerifyHeader(const VexUnicodeString& path) {
  const fs::path file(path.str());
  std::error_code error;
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) Refuse("DocumentCannotOpen", path, {VexUnicodeString(error.message())});
  if (size == 0) Refuse("DocumentEmpty", path);

  std::array<unsigned char, kHeaderSize> header{};
  std::ifstream in(file, std::ios::binary);
  if (!in) Refuse("DocumentCannotOpen", path, {VexUnicodeString(std::strerror(errno))});
  in.read(reinterpret_cast<char*>(header.data()), header.size());
  const auto got = static_cast<std::size_t>(in.gcount());

  const std::size_t magicSize = sizeof kMagic;
  if (std::memcmp(header.data(), kMagic, std::min(got, magicSize)) != 0) {
    Refuse("DocumentNotADatabase", path);
  }
  if (got < kHeaderSize) Refuse("DocumentTruncated", path, {Number(size), Number(kHeaderSize)});

  std::uint32_t pageSize = BigEndian(&header[16], 2);
  if (pageSize == 1) pageSize = 65536;
  if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0) Refuse("DocumentNotADatabase", path);
  if (BigEndian(&header[68], 4) != static_cast<std::uint32_t>(VexDocumentSchema::kApplicationId)) {
    Refuse("DocumentForeign", path);
  }

  // The page count in the header counts only when it was written with the last change.
  const std::uint32_t headerPages = BigEndian(&header[28], 4);
  const bool countIsCurrent =
      headerPages != 0 && BigEndian(&header[24], 4) == BigEndian(&header[92], 4);
  std::uintmax_t expected = size + (pageSize - size % pageSize) % pageSize;
  if (countIsCurrent && !HasPendingLog(file)) {
    expected = std::max<std::uintmax_t>(expected, std::uintmax_t{headerPages} * pageSize);
  }
  if (size < expected) Refuse("DocumentTruncated", path, {Number(size), Number(expected)});
}

void VexDocumentFileCheck::VerifyTables(const VexUnicodeString& path) {
  // A pending log must be read with the file; without one, nothing is created beside the file.
  const bool pendingLog = HasPendingLog(fs::path(path.str()));
  const VexSqlDatabase::Mode mode =
      pendingLog ? VexSqlDatabase::Mode::ReadOnly : VexSqlDatabase::Mode::Inspect;
  VexSqlDatabase database(path, mode);
  if (!VexDocumentSchema::IsInstalled(database) ||
      VexDocumentSchema::GetVersion(database, VexDocumentSchema::kDocumentComponent) == 0) {
    Refuse("DocumentForeign", path);
  }
  VexDocumentSchema::RefuseNewer(database, VexDocumentSchema::kDocumentComponent,
                                 VexDocumentSchema::DocumentMigrations());
  VerifyIntegrity(database, mode, path);
}

void VexDocumentFileCheck::VerifyIntegrity(VexSqlDatabase& database, VexSqlDatabase::Mode mode,
                                           const VexUnicodeString& path) {
  // The quick check trusts every index; only the full check compares each index with its table,
  // which is what a scrambled page of a table breaks. One finding is enough to refuse.
  // On a large document the full check is most of the opening; its parts run side by side.
  const std::string finding = std::thread::hardware_concurrency() < 2
                                  ? FirstFinding(database, kWholeCheck)
                                  : RunSideBySide(SplitChecks(database), path, mode);
  if (finding == "ok") return;
  // Told as one full check tells it, whichever part found the damage first.
  const std::string told = FirstFinding(database, kWholeCheck);
  Refuse("DocumentDamagedTables", path, {VexUnicodeString(told == "ok" ? finding : told)});
}
