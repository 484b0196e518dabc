#include "VexDocumentFileCheck.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "VexDocumentIndexCheck.h"
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

// One part of the check: its first finding on a connection of its own, "ok" when none.
using CheckPart = std::function<std::string(VexSqlDatabase&)>;

CheckPart Pragma(std::string sql) {
  return [sql = std::move(sql)](VexSqlDatabase& database) { return FirstFinding(database, sql); };
}

// Everything the full check does, in parts: the quick check walks every page of the file (the
// tree structure, the free list, pages used twice or never, NOT NULL and CHECK constraints), and
// what it leaves out, that each index holds exactly its table's rows, is told per index from one
// reading of each (VexDocumentIndexCheck), or by the full check restricted to the table of an
// index that cannot be told so. Each reading of an index is a part of its own, largest tables
// first, so that two connections end close together; `Conclude` compares the readings once all
// parts are done.
class SplitCheck {
 public:
  explicit SplitCheck(VexSqlDatabase& database) {
    VexDocumentIndexCheck::Plan plan;
    try {
      plan = VexDocumentIndexCheck::PlanFor(database);
    } catch (const std::exception&) {
      parts_.push_back(Pragma(kWholeCheck));  // the schema itself is damaged: it tells how
      return;
    }
    indexes_ = std::move(plan.plainIndexes);
    readings_.resize(indexes_.size());
    for (std::size_t i = 0; i < indexes_.size(); ++i) {
      AddReading(i, Reading::Entries);
      AddReading(i, Reading::Rows);
      AddReading(i, Reading::Keys);
      if (i == 0) parts_.push_back(Pragma("PRAGMA quick_check(1)"));
    }
    if (indexes_.empty()) parts_.push_back(Pragma("PRAGMA quick_check(1)"));
    for (const std::string& table : plan.otherTables) {
      parts_.push_back(Pragma("PRAGMA integrity_check(" + VexSqlDatabase::QuoteName(table) + ")"));
    }
  }

  // The parts write into this object's readings.
  SplitCheck(const SplitCheck&) = delete;
  SplitCheck& operator=(const SplitCheck&) = delete;

  const std::vector<CheckPart>& Parts() const { return parts_; }

  /// The first disagreement between an index and its table, "ok" when none.
  std::string Conclude() const {
    for (std::size_t i = 0; i < indexes_.size(); ++i) {
      std::string found = VexDocumentIndexCheck::Agreement(indexes_[i], readings_[i].entries,
                                                           readings_[i].rows);
      if (found != "ok") return found;
    }
    return "ok";
  }

 private:
  using Reading = VexDocumentIndexCheck::Reading;
  struct Readings {
    std::string entries, rows;
  };

  // A part that reads one thing of index `i`: digests are kept for Conclude (each part writes
  // its own string, so parts on other threads never share one), a duplicate key is a finding.
  void AddReading(std::size_t i, Reading reading) {
    parts_.push_back([this, i, reading](VexSqlDatabase& connection) -> std::string {
      try {
        std::string read = VexDocumentIndexCheck::Read(connection, indexes_[i], reading);
        if (reading == Reading::Keys) return read;
        (reading == Reading::Entries ? readings_[i].entries : readings_[i].rows) = std::move(read);
        return "ok";
      } catch (const std::exception& error) {
        // A page too damaged to read, or a reading this index does not allow: either way the
        // full check decides.
        return error.what();
      }
    });
  }

  std::vector<VexDocumentIndexCheck::Index> indexes_;
  std::vector<Readings> readings_;
  std::vector<CheckPart> parts_;
};

// Runs `parts` on connections of their own, two when the machine has the processors, each taking
// the next part when it is free, and answers the first finding ("ok" when none found anything).
std::string RunSideBySide(const std::vector<CheckPart>& parts, const VexUnicodeString& path,
                          VexSqlDatabase::Mode mode) {
  std::atomic<std::size_t> next{0};
  std::mutex guard;
  std::string finding = "ok";
  std::exception_ptr failure;
  auto work = [&] {
    try {
      VexSqlDatabase connection(path, mode);
      // Read through a mapping of the file rather than copied page by page: the check reads
      // every page, and its connections are gone before the document is loaded.
      connection.Execute("PRAGMA mmap_size = 4294967296");
      for (std::size_t i = next++; i < parts.size(); i = next++) {
        std::string found = parts[i](connection);
        if (found == "ok") continue;
        std::lock_guard<std::mutex> lock(guard);
        if (finding == "ok") finding = std::move(found);
        next = parts.size();  // one finding is enough
      }
    } catch (...) {
      std::lock_guard<std::mutex> lock(guard);
      if (!failure) failure = std::current_exception();
      next = parts.size();
    }
  };
  if (std::thread::hardware_concurrency() < 2) {
    work();
  } else {
    std::thread helper(work);
    work();
    helper.join();
  }
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
  // The quick check trusts every index; an index must also be compared with its table, which is
  // what a scrambled page of a table breaks. On a large document this check is most of the
  // opening; its parts run side by side.
  SplitCheck check(database);
  std::string finding = RunSideBySide(check.Parts(), path, mode);
  if (finding == "ok") finding = check.Conclude();
  if (finding == "ok") return;
  // A part found something: the database's full check has the last word, and tells it as it
  // always does, whichever part found the damage first.
  const std::string told = FirstFinding(database, kWholeCheck);
  if (told != "ok") Refuse("DocumentDamagedTables", path, {VexUnicodeString(told)});
}
