#include "VexDocumentSchema.h"

#include "VexError.h"
#include "VexSqlDatabase.h"

namespace {

constexpr const char* kVersion1 = R"sql(
CREATE TABLE vex_property(
  key TEXT PRIMARY KEY NOT NULL,
  value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE vex_element(
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  name TEXT NOT NULL,
  type_text TEXT NOT NULL,
  kind TEXT NOT NULL
    CHECK (kind IN ('Equipment', 'Conduit', 'Tray', 'Cable', 'Structure', 'Other')));
CREATE TABLE vex_route_point(
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  position INTEGER NOT NULL,
  x REAL NOT NULL,
  y REAL NOT NULL,
  z REAL NOT NULL,
  PRIMARY KEY (element_id, position)) WITHOUT ROWID;
CREATE TABLE vex_attribute(
  element_id INTEGER NOT NULL REFERENCES vex_element(id) ON DELETE CASCADE,
  name TEXT NOT NULL CHECK (name <> ''),
  number REAL,
  text TEXT,
  CHECK ((number IS NULL) <> (text IS NULL)),
  PRIMARY KEY (element_id, name)) WITHOUT ROWID;
)sql";

}  // namespace

const std::vector<std::string>& VexDocumentSchema::DocumentMigrations() {
  static const std::vector<std::string> migrations{kVersion1};
  return migrations;
}

void VexDocumentSchema::Install(VexSqlDatabase& database) {
  database.Execute(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
  database.Execute(
      "CREATE TABLE vex_schema("
      "component TEXT PRIMARY KEY NOT NULL, version INTEGER NOT NULL) WITHOUT ROWID");
}

bool VexDocumentSchema::IsInstalled(VexSqlDatabase& database) {
  return database.QueryInteger(
             "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'vex_schema'",
             0) == 1;
}

int VexDocumentSchema::GetVersion(VexSqlDatabase& database, const char* component) {
  VexSqlStatement& query = database.Cached("SELECT version FROM vex_schema WHERE component = ?");
  query.BindText(1, component);
  int version = query.Step() ? static_cast<int>(query.ColumnInteger(0)) : 0;
  query.Reset();
  return version;
}

void VexDocumentSchema::RefuseNewer(VexSqlDatabase& database, const char* component,
                                    const std::vector<std::string>& migrations) {
  int version = GetVersion(database, component);
  if (version <= static_cast<int>(migrations.size())) return;
  VexUnicodeString number;
  number.ConvertNumToString(version, "%d");
  throw VexInputError(2, "DocumentNewerSchema", kVexHostCatalog,
                      {database.GetPath(), VexUnicodeString(component) + " " + number});
}

int VexDocumentSchema::Migrate(VexSqlDatabase& database, const char* component,
                               const std::vector<std::string>& migrations) {
  RefuseNewer(database, component, migrations);
  const int found = GetVersion(database, component);
  const int target = static_cast<int>(migrations.size());
  for (int version = found; version < target; ++version) {
    database.Execute(migrations[version].c_str());
  }
  if (found != target) {
    VexSqlStatement& record = database.Cached(
        "INSERT INTO vex_schema(component, version) VALUES (?, ?) "
        "ON CONFLICT(component) DO UPDATE SET version = excluded.version");
    record.BindText(1, component).BindInteger(2, target).Run();
  }
  return found;
}
