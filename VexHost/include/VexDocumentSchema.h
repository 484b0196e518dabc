#pragma once
// The versioned tables of a plant document. Each component that keeps tables in the file (the
// document itself, the network model, ...) has a version in the table vex_schema and a list of
// migrations: migration i brings its tables from version i to version i + 1.

#include <cstdint>
#include <string>
#include <vector>

class VexSqlDatabase;

class VexDocumentSchema {
 public:
  /// Stamped in the file header of every plant document ("Volt"), so foreign files are told apart
  /// before any table is read.
  static constexpr std::int32_t kApplicationId = 0x566F6C74;
  /// The component name of the document's own tables.
  static constexpr const char* kDocumentComponent = "VexDocument";

  /// The migrations of the document's own tables; their count is the current version.
  static const std::vector<std::string>& DocumentMigrations();
  /// Stamps a new, empty file and creates the table of component versions.
  static void Install(VexSqlDatabase& database);
  /// True when the file has the table of component versions.
  static bool IsInstalled(VexSqlDatabase& database);
  /// The version of `component`'s tables in the file; 0 when it has none yet.
  static int GetVersion(VexSqlDatabase& database, const char* component);
  /// Refuses (input error) a file whose `component` tables are newer than `migrations` know.
  static void RefuseNewer(VexSqlDatabase& database, const char* component,
                          const std::vector<std::string>& migrations);
  /// Runs the migrations that the file lacks and records the new version; returns the version
  /// found. Call inside a transaction, so that a failing migration leaves nothing behind.
  static int Migrate(VexSqlDatabase& database, const char* component,
                     const std::vector<std::string>& migrations);
};
