#include <gtest/gtest.h>

#include "HostErrorExpectation.h"
#include "TestFolder.h"
#include "VexSqlDatabase.h"

namespace {

class SqlDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database.Execute("CREATE TABLE item(id INTEGER PRIMARY KEY, name TEXT UNIQUE, size REAL)");
  }
  TestFolder folder;
  std::string path = (folder / "items.db").string();
  VexSqlDatabase database{VexUnicodeString(path), VexSqlDatabase::Mode::Create};
};

}  // namespace

TEST_F(SqlDatabaseTest, BoundValuesComeBackFromTheColumns) {
  VexSqlStatement insert = database.Prepare("INSERT INTO item(name, size) VALUES (?, ?)");
  insert.BindText(1, VexUnicodeString("Kabelrinne Ø 300")).BindNumber(2, 12.75).Run();
  insert.Reset();
  insert.BindText(1, "no size").BindNull(2).Run();
  EXPECT_EQ(database.GetLastInsertId(), 2);

  VexSqlStatement rows = database.Prepare("SELECT id, name, size FROM item ORDER BY id");
  ASSERT_TRUE(rows.Step());
  EXPECT_EQ(rows.ColumnInteger(0), 1);
  EXPECT_EQ(rows.ColumnText(1), "Kabelrinne Ø 300");
  EXPECT_EQ(rows.ColumnNumber(2), 12.75);
  ASSERT_TRUE(rows.Step());
  EXPECT_TRUE(rows.IsNull(2));
  EXPECT_FALSE(rows.Step());
  EXPECT_EQ(database.QueryInteger("SELECT max(id) FROM item WHERE id > 5", -1), -1);
}

TEST_F(SqlDatabaseTest, CachedStatementsAreReusedResetAndUnbound) {
  VexSqlStatement& first = database.Cached("SELECT count(*) FROM item WHERE name = ?");
  first.BindText(1, "x");
  ASSERT_TRUE(first.Step());
  VexSqlStatement& again = database.Cached("SELECT count(*) FROM item WHERE name = ?");
  EXPECT_EQ(&again, &first);
  ASSERT_TRUE(again.Step()) << "reset: runs from the start";
  EXPECT_EQ(again.ColumnInteger(0), 0);
}

TEST_F(SqlDatabaseTest, FailuresBecomeHostErrorsOfTheRightKind) {
  database.Execute("INSERT INTO item(name) VALUES ('dup')");
  ExpectHostError<VexInputError>([&] { database.Execute("INSERT INTO item(name) VALUES ('dup')"); },
                                 "DocumentChangeRefused", path);
  ExpectHostError<VexInternalError>([&] { database.Prepare("SELEC name FROM item"); },
                                    "DocumentStatementFailed", path);
  ExpectHostError<VexInternalError>([&] { database.Prepare("  -- nothing to run"); },
                                    "DocumentStatementFailed");
  VexSqlStatement rows = database.Prepare("SELECT name FROM item");
  ASSERT_TRUE(rows.Step());
  ExpectHostError<VexInternalError>([&] { rows.ColumnText(3); }, "DocumentStatementFailed");
  ExpectHostError<VexInternalError>([&] { rows.BindInteger(1, 0); }, "DocumentStatementFailed");
}

TEST(SqlDatabaseOpenTest, AMissingFileIsNotCreatedByReading) {
  TestFolder folder;
  const std::string path = (folder / "missing.db").string();
  for (auto mode : {VexSqlDatabase::Mode::ReadOnly, VexSqlDatabase::Mode::ReadWrite}) {
    ExpectHostError<VexInputError>([&] { VexSqlDatabase(VexUnicodeString(path), mode); },
                                   "DocumentCannotOpen", path);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}
