#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "HostErrorExpectation.h"
#include "TestFolder.h"
#include "VexDocument.h"
#include "VexDocumentTransaction.h"
#include "VexSqlDatabase.h"

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
                    "DocumentNewerSchema"}),
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
