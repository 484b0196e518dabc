#include "VexDocumentFileCheck.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
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
  VexSqlDatabase database(
      path, pendingLog ? VexSqlDatabase::Mode::ReadOnly : VexSqlDatabase::Mode::Inspect);
  if (!VexDocumentSchema::IsInstalled(database) ||
      VexDocumentSchema::GetVersion(database, VexDocumentSchema::kDocumentComponent) == 0) {
    Refuse("DocumentForeign", path);
  }
  VexDocumentSchema::RefuseNewer(database, VexDocumentSchema::kDocumentComponent,
                                 VexDocumentSchema::DocumentMigrations());
  VerifyIntegrity(database, path);
}

void VexDocumentFileCheck::VerifyIntegrity(VexSqlDatabase& database, const VexUnicodeString& path) {
  // The quick check trusts every index; only the full check compares each index with its table,
  // which is what a scrambled page of a table breaks. One finding is enough to refuse.
  std::string finding;
  try {
    VexSqlStatement check = database.Prepare("PRAGMA integrity_check(1)");
    if (check.Step()) finding = check.ColumnText(0);
  } catch (const VexInputError& error) {
    finding = error.what();  // a page too damaged for the check to walk
  }
  if (finding != "ok") Refuse("DocumentDamagedTables", path, {VexUnicodeString(finding)});
}
