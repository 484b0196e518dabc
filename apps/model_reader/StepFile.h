#pragma once
// What the model reader checks of a STEP file before the IFC library sees it, since the library
// reads a truncated file in part without a word and knows IFC4 classes only.

#include <utility>
#include <vector>
#include <string>
#include <string_view>

struct StepFileFacts {
  std::string schema;  ///< "IFC4", "IFC2X3", ... as the header names it
  /// Every instance of the data section in file order: #id and its type, an index into `types`
  /// (a large model has a million instances of a few dozen types).
  std::vector<std::pair<int, int>> entities;
  std::vector<std::string> types;  ///< "IFCWALL", ...
};

/// Checks the header and the end of `bytes`; returns the schema and the entity types, or raises
/// std::runtime_error with what is wrong (not STEP, truncated, no schema).
StepFileFacts CheckStepFile(std::string_view bytes);

/// True for the schemas the reader maps: IFC2X3 and IFC4.
bool IsSupportedSchema(const std::string& schema);
