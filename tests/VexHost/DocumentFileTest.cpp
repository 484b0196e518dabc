#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "HostErrorExpectation.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexSqlDatabase.h"
#include "VexSqlStatement.h"

namespace fs = std::filesystem;

namespace {

// A real document of several pages, made once; each case starts from a copy of its bytes.
std::string ValidDocumentBytes() {
  static const std::string bytes = [] {
    TestFolder folder;
    VexUnicodeString path((folder / "template.vxd").string());
    {
      auto document = VexDocument::Create(path);
      VexDocumentTransaction transaction(*document);
      for (int i = 0; i < 400; ++i) {
        auto element = document->CreateElement(VexUnicodeString("C-" + std::to_string(i)),
                                               "Conduit 50 mm", VexElementKind::Conduit);
        document->SetRoutePoints(*element, {{0, 0, 0}, {1000.0 * i, 0, 0}});
      }
      transaction.Commit();
    }
    return folder.Read("template.vxd");
  }();
  return bytes;
}

std::string RandomBytes(std::size_t count) {
  std::mt19937 generator(42);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator() & 0xff);
  return bytes;
}

// A database after `sql`: a plain one, or made as a document first.
std::string DatabaseBytes(bool document, const char* sql) {
  TestFolder folder;
  const VexUnicodeString path((folder / "made.db").string());
  if (document) VexDocument::Create(path);
  VexSqlDatabase(path, document ? VexSqlDatabase::Mode::ReadWrite : VexSqlDatabase::Mode::Create)
      .Execute(sql);
  return folder.Read("made.db");
}

std::string Cut(std::string bytes, std::size_t size) { return bytes.substr(0, size); }

// A document whose table page disagrees with the table's index, as a scrambled page leaves it:
// one identifier is changed in the table's own page only. Every page stays well formed, so only
// a check that compares the index with its table finds it.
std::string IndexDisagreeingWithItsTable() {
  TestFolder folder;
  const VexUnicodeString path((folder / "made.db").string());
  VexDocument::Create(path);
  std::string rows;
  for (int i = 10; i < 60; ++i) {
    rows += std::string(rows.empty() ? "" : ",") + "('NODE00" + std::to_string(i) + "')";
  }
  std::int64_t rootPage = 0, pageSize = 0;
  {
    VexSqlDatabase database(path, VexSqlDatabase::Mode::ReadWrite);
    database.Execute("CREATE TABLE service_node(identifier TEXT NOT NULL UNIQUE)");
    database.Execute(("INSERT INTO service_node(identifier) VALUES " + rows).c_str());
    database.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
    VexSqlStatement root = database.Prepare(
        "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_schema "
        "WHERE name = 'service_node'");
    root.Step();
    rootPage = root.ColumnInteger(0);
    pageSize = root.ColumnInteger(1);
  }
  std::string bytes = folder.Read("made.db");
  const std::size_t pageStart = static_cast<std::size_t>((rootPage - 1) * pageSize);
  const std::size_t found = bytes.find("NODE0025", pageStart);
  if (found == std::string::npos || found >= pageStart + static_cast<std::size_t>(pageSize)) {
    ADD_FAILURE() << "the row is not in the table's page";
    return bytes;
  }
  bytes[found + 5] = 'X';  // NODE0025 becomes NODE0X25 in the table, not in the index
  return bytes;
}

// A document whose free pages were dropped from the free list: every table and index is whole,
// so only a check that accounts for every page of the file finds the pages nothing uses, not one
// that compares a table with its index.
std::string PagesThatNothingUses() {
  TestFolder folder;
  const VexUnicodeString path((folder / "made.db").string());
  VexDocument::Create(path);
  {
    VexSqlDatabase database(path, VexSqlDatabase::Mode::ReadWrite);
    database.Execute("CREATE TABLE service_node(identifier TEXT NOT NULL UNIQUE)");
    database.Execute("INSERT INTO service_node(identifier) VALUES ('N1'), ('N2')");
    database.Execute("CREATE TABLE scratch(text TEXT)");
    database.Execute(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
        "INSERT INTO scratch SELECT printf('%.2000c', 'x') FROM n");
    database.Execute("DROP TABLE scratch");
    database.Execute("PRAGMA wal_checkpoint(TRUNCATE)");
  }
  std::string bytes = folder.Read("made.db");
  if (bytes[36] == 0 && bytes[37] == 0 && bytes[38] == 0 && bytes[39] == 0) {
    ADD_FAILURE() << "the dropped table left no free pages";
  }
  std::fill(bytes.begin() + 32, bytes.begin() + 40, '\0');  // first free page and their count
  return bytes;
}

struct RefusedFile {
  const char* name;
  std::function<std::string()> bytes;
  const char* key;
};

std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

class RefusedDocumentTest : public ::testing::TestWithParam<RefusedFile> {};

}  // namespace

TEST_P(RefusedDocumentTest, IsRefusedNamingTheFileAndLeftUntouched) {
  TestFolder folder;
  const std::string bytes = GetParam().bytes();
  const fs::path file = folder.Write("plant.vxd", bytes);
  const auto listing = Listing(folder.Path());

  ExpectHostError<VexInputError>([&] { VexDocument::Open(VexUnicodeString(file.string())); },
                                 GetParam().key, file.string());

  EXPECT_EQ(folder.Read("plant.vxd"), bytes) << "the file's bytes are unchanged";
  EXPECT_EQ(Listing(folder.Path()), listing) << "nothing was created beside it";
}

INSTANTIATE_TEST_SUITE_P(
    NotADocument, RefusedDocumentTest,
    ::testing::Values(
        RefusedFile{"Text", [] { return std::string("M-101;Motor;Equipment\nC-7;Conduit\n"); },
                    "DocumentNotADatabase"},
        RefusedFile{"RandomBytes", [] { return RandomBytes(8192); }, "DocumentNotADatabase"},
        RefusedFile{"Empty", [] { return std::string(); }, "DocumentEmpty"},
        RefusedFile{"HalfTheHeader", [] { return Cut(ValidDocumentBytes(), 50); },
                    "DocumentTruncated"},
        RefusedFile{"HalfTheFile",
                    [] { return Cut(ValidDocumentBytes(), ValidDocumentBytes().size() / 2); },
                    "DocumentTruncated"},
        RefusedFile{"LastPageMissing",
                    [] { return Cut(ValidDocumentBytes(), ValidDocumentBytes().size() - 4096); },
                    "DocumentTruncated"},
        RefusedFile{"CutInsideAPage",
                    [] { return Cut(ValidDocumentBytes(), ValidDocumentBytes().size() - 100); },
                    "DocumentTruncated"},
        RefusedFile{"ForeignDatabase",
                    [] { return DatabaseBytes(false, "CREATE TABLE vex_element(id, name)"); },
                    "DocumentForeign"},
        RefusedFile{"NewerDocument",
                    [] { return DatabaseBytes(true, "UPDATE vex_schema SET version = 99"); },
                    "DocumentNewerSchema"},
        RefusedFile{"IndexDisagreesWithItsTable", IndexDisagreeingWithItsTable,
                    "DocumentDamagedTables"},
        RefusedFile{"PagesThatNothingUses", PagesThatNothingUses, "DocumentDamagedTables"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFileTest, MissingFilesAndTakenPathsAreRefused) {
  TestFolder folder;
  const std::string missing = (folder / "missing.vxd").string();
  ExpectHostError<VexInputError>([&] { VexDocument::Open(VexUnicodeString(missing)); },
                                 "DocumentMissing", missing);
  EXPECT_FALSE(fs::exists(missing)) << "opening never creates";

  const fs::path taken = folder.Write("taken.vxd", "notes");
  ExpectHostError<VexInputError>([&] { VexDocument::Create(VexUnicodeString(taken.string())); },
                                 "DocumentAlreadyExists", taken.string());
  EXPECT_EQ(folder.Read("taken.vxd"), "notes");

  ExpectHostError<VexInputError>(
      [&] { VexDocument::Open(VexUnicodeString(folder.Path().string())); }, "DocumentNotADatabase");
}

TEST(DocumentFileTest, AValidCopyOpensWithAllItsElements) {
  // Guards the cases above: the template itself is a good document. The name holds characters
  // that mean something in a database URI.
  TestFolder folder;
  const fs::path file = folder.Write("plant #1?mode=rw%20ü.vxd", ValidDocumentBytes());
  auto document = VexDocument::Open(VexUnicodeString(file.string()));
  EXPECT_EQ(document->GetElementCount(), 400);
  EXPECT_EQ(document->FindElementByName("C-399")->GetRoutePoints().size(), 2u);
}

namespace {

// Runs `action` in a child process, as the unprivileged user 65534 when this test runs as root
// (root ignores folder modes); returns the key of the host error it raised, "none" without one.
std::string KeyRaisedAsUnprivilegedUser(const std::function<void()>& action) {
  int ends[2];
  if (::pipe(ends) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ends[0]);
    std::string key = "none";
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) key = "drop failed";
    try {
      if (key == "none") action();
    } catch (const VexError& error) {
      key = error.GetKey().str() + "|" + error.GetMessageText().str();
    }
    [[maybe_unused]] auto written = ::write(ends[1], key.data(), key.size());
    ::_exit(0);
  }
  ::close(ends[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
  ::close(ends[0]);
  ::waitpid(child, nullptr, 0);
  return answer;
}

}  // namespace

TEST(DocumentFileTest, ASecondSessionIsRefusedAndTheLockEndsWithItsSession) {
  TestFolder folder;
  const VexUnicodeString path((folder / "plant.vxd").string());
  const fs::path lockFile = folder / "plant.vxd.lock";
  auto first = VexDocument::Create(path);
  ExpectHostError<VexInputError>([&] { VexDocument::Open(path); }, "DocumentInUse", path.str());
  fs::create_symlink(folder / "plant.vxd", folder / "link.vxd");
  ExpectHostError<VexInputError>(
      [&] { VexDocument::Open(VexUnicodeString((folder / "link.vxd").string())); },
      "DocumentInUse");
  first.reset();
  EXPECT_FALSE(fs::exists(lockFile)) << "a closed session leaves no lock file";

  // A session killed while it holds the document: the next one opens it.
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    auto held = VexDocument::Open(path);
    [[maybe_unused]] auto written = ::write(ready[1], "R", 1);
    ::pause();
    ::_exit(0);
  }
  char mark = 0;
  ASSERT_EQ(::read(ready[0], &mark, 1), 1);
  ExpectHostError<VexInputError>([&] { VexDocument::Open(path); }, "DocumentInUse", path.str());
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  EXPECT_NO_THROW(VexDocument::Open(path)) << "the killed session's lock died with it";
}

TEST(DocumentFileTest, LinkLoopsAndWriteProtectedFoldersAreExplained) {
  TestFolder folder;
  const fs::path loop = folder / "loop.vxd";
  fs::create_symlink(loop, loop);
  ExpectHostError<VexInputError>([&] { VexDocument::Open(VexUnicodeString(loop.string())); },
                                 "DocumentLinkLoop", loop.string());

  const fs::path shut = folder / "shut";
  fs::create_directory(shut);
  const VexUnicodeString path((shut / "plant.vxd").string());
  VexDocument::Create(path);
  // The unprivileged user must reach the folder to meet its mode.
  fs::permissions(folder.Path(),
                  fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(path.str(), fs::perms::all);
  fs::permissions(shut, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::string bytes = folder.Read("shut/plant.vxd");
  const std::string raised = KeyRaisedAsUnprivilegedUser([&] { VexDocument::Open(path); });
  fs::permissions(shut, fs::perms::owner_all);
  EXPECT_EQ(raised.substr(0, raised.find('|')), "DocumentFolderReadOnly") << raised;
  EXPECT_NE(raised.find(shut.string()), std::string::npos) << "names the folder: " << raised;
  EXPECT_EQ(folder.Read("shut/plant.vxd"), bytes);
}
