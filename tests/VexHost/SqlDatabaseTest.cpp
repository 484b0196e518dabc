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
