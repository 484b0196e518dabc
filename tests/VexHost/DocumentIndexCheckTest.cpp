#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "VexDocumentIndexCheck.h"
#include "VexSqlDatabase.h"
#include "VexSqlStatement.h"

namespace {

struct IndexCase {
  const char* name;
  const char* sql;  // builds table t and its index ix, sound or not
};
void PrintTo(const IndexCase& which, std::ostream* out) { *out << which.name; }

// Swaps what two indexes hold behind the schema's back: each stays a well-formed tree.
constexpr const char* kSwapIndexes =
    "PRAGMA writable_schema = ON;"
    "UPDATE sqlite_schema SET rootpage = CASE name WHEN 'ix' THEN (SELECT "
    "rootpage FROM "
    "sqlite_schema WHERE name = 'other_ix') ELSE (SELECT rootpage FROM "
    "sqlite_schema WHERE name = "
    "'ix') END WHERE name IN ('ix', 'other_ix');"
    "PRAGMA writable_schema = OFF;";

const IndexCase kCases[] = {
    {"UniqueText",
     "CREATE TABLE t(a TEXT NOT NULL, b INTEGER); CREATE UNIQUE INDEX ix ON "
     "t(a);"
     "INSERT INTO t VALUES ('N2', 1), ('N10', 2), ('N1', 3), ('', 4);"},
    {"NullsAndMixedKinds",
     "CREATE TABLE t(a, b); CREATE UNIQUE INDEX ix ON t(a, b);"
     "INSERT INTO t VALUES (NULL, 1), (NULL, 1), (1, NULL), (1, NULL), (2.5, "
     "x'00ff'),"
     "  (2.0, 'two'), ('x', 3), (x'0102', 4);"},
    {"WholeNumbersInARealColumn",
     "CREATE TABLE t(a REAL); CREATE INDEX ix ON t(a);"
     "INSERT INTO t VALUES (1), (2.0), (2.5), (-3), (1e300), (NULL);"},
    {"EmptyTable", "CREATE TABLE t(a TEXT); CREATE UNIQUE INDEX ix ON t(a);"},
    {"DeletedRows",
     "CREATE TABLE t(a TEXT UNIQUE, b TEXT); CREATE INDEX ix ON t(b, a);"
     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
     "3000)"
     "  INSERT INTO t SELECT 'N' || i, printf('%.*c', i % 40, 'b') FROM n;"
     "DELETE FROM t WHERE rowid % 3 = 0;"},
    {"DuplicateKeyInAUniqueIndex",
     "CREATE TABLE t(a TEXT, b TEXT); CREATE INDEX ix ON t(a, b);"
     "INSERT INTO t VALUES ('N1', 'N2'), ('N3', 'N4'), ('N1', 'N2');"
     "PRAGMA writable_schema = ON;"
     "UPDATE sqlite_schema SET sql = 'CREATE UNIQUE INDEX ix ON t(a, b)' WHERE "
     "name = 'ix';"
     "PRAGMA writable_schema = OFF;"},
    {"IndexHoldsAnotherTablesRows",
     "CREATE TABLE t(a TEXT); CREATE INDEX ix ON t(a);"
     "CREATE TABLE other(a TEXT); CREATE INDEX other_ix ON other(a);"
     "INSERT INTO t VALUES ('N1'), ('N2'), ('N3'); INSERT INTO other VALUES "
     "('N1'), ('N2'), ('X3');"},
    {"IndexMissesARow",
     "CREATE TABLE t(a TEXT); CREATE INDEX ix ON t(a);"
     "CREATE TABLE other(a TEXT); CREATE INDEX other_ix ON other(a);"
     "INSERT INTO t VALUES ('N1'), ('N2'), ('N3'); INSERT INTO other VALUES "
     "('N1'), ('N2');"},
};

class IndexCheckTest : public ::testing::TestWithParam<IndexCase> {};

std::string Build(TestFolder& folder, const IndexCase& which) {
  const std::string path = (folder / "made.db").string();
  VexSqlDatabase database(VexUnicodeString(path), VexSqlDatabase::Mode::Create);
  database.Execute(which.sql);
  if (std::string(which.sql).find("other_ix") != std::string::npos) database.Execute(kSwapIndexes);
  return path;
}

std::string FullCheckOf(VexSqlDatabase& database) {
  VexSqlStatement check = database.Prepare("PRAGMA integrity_check(t)");
  return check.Step() ? std::string(check.ColumnText(0)) : std::string();
}

}  // namespace

// The check must agree with the database's own full check of the table: a disagreement either way
// is a fault (a damaged index let through, or a sound document checked twice over).
TEST_P(IndexCheckTest, TellsDamageExactlyWhenTheFullCheckDoes) {
  TestFolder folder;
  VexSqlDatabase database(VexUnicodeString(Build(folder, GetParam())),
                          VexSqlDatabase::Mode::ReadOnly);
  const VexDocumentIndexCheck::Plan plan = VexDocumentIndexCheck::PlanFor(database);
  auto index = std::find_if(plan.plainIndexes.begin(), plan.plainIndexes.end(),
                            [](const auto& found) { return found.name == "ix"; });
  ASSERT_NE(index, plan.plainIndexes.end()) << "ix is a plain index";
  EXPECT_EQ(index->table, "t");

  const std::string full = FullCheckOf(database);
  const std::string told = VexDocumentIndexCheck::Compare(database, *index);
  EXPECT_EQ(told == "ok", full == "ok") << "this check: " << told << "\nfull check: " << full;
}

INSTANTIATE_TEST_SUITE_P(Indexes, IndexCheckTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IndexCheckPlanTest, LeavesEveryOtherIndexToTheFullCheckOfItsTable) {
  TestFolder folder;
  VexSqlDatabase database(VexUnicodeString((folder / "made.db").string()),
                          VexSqlDatabase::Mode::Create);
  database.Execute(
      "CREATE TABLE plain(a TEXT, b TEXT); CREATE INDEX plain_ab ON plain(a, "
      "b);"
      "INSERT INTO plain VALUES ('x', 'y'), ('z', 'w');"
      "CREATE TABLE on_expression(a TEXT); CREATE INDEX on_expression_lower ON "
      "on_expression(lower(a));"
      "CREATE TABLE partial(a INTEGER); CREATE INDEX partial_a ON partial(a) "
      "WHERE a > 0;"
      "CREATE TABLE descending(a INTEGER); CREATE INDEX descending_a ON "
      "descending(a DESC);"
      "CREATE TABLE no_case(a TEXT); CREATE INDEX no_case_a ON no_case(a "
      "COLLATE NOCASE);"
      "CREATE TABLE without_row_ids(k TEXT PRIMARY KEY, v TEXT) WITHOUT ROWID;"
      "CREATE INDEX without_row_ids_v ON without_row_ids(v);"
      "CREATE TABLE named_rowid(rowid TEXT, a TEXT); CREATE INDEX "
      "named_rowid_a ON named_rowid(a);"
      "CREATE TABLE mixed(a TEXT, b TEXT); CREATE INDEX mixed_a ON mixed(a);"
      "CREATE INDEX mixed_lower_b ON mixed(lower(b));");

  const VexDocumentIndexCheck::Plan plan = VexDocumentIndexCheck::PlanFor(database);
  std::vector<std::string> plain;
  for (const auto& index : plan.plainIndexes) plain.push_back(index.name);
  std::vector<std::string> others = plan.otherTables;
  std::sort(others.begin(), others.end());
  EXPECT_EQ(plain, std::vector<std::string>{"plain_ab"});
  EXPECT_EQ(plan.plainIndexes.front().size, 2);
  EXPECT_EQ(others, (std::vector<std::string>{"descending", "mixed", "named_rowid", "no_case",
                                              "on_expression", "partial", "without_row_ids"}));
}
