#pragma once
// Importing a plant model into the open document, as the host program offers it (--import and
// the "import" command): the model is read with progress shown, then applied in one session event
// (one document transaction), and the report is printed.

#include <iosfwd>
#include <string>

class VexWorkspace;

class PlantImportAction {
 public:
  PlantImportAction(VexWorkspace& workspace, std::ostream& out) : workspace_(workspace), out_(out) {}

  /// Imports `model`. A model that cannot be read or applied raises the error (VexInputError for
  /// bad input) and leaves the document as it was.
  void Run(const std::string& model);

 private:
  VexWorkspace& workspace_;
  std::ostream& out_;
};
