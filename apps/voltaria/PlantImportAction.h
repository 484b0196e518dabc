#pragma once
// Importing a plant model into the open document, as the host program offers it (--import and
// the "import" command): the model is read with progress shown, then applied in one session event
// (one document transaction), and the report is printed.

#include <iosfwd>
#include <string>

#include "VexStateCommand.h"

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

/// Closes the EDSA panel and starts the command again, so that the panel shows the plant as it is
/// after a change from outside the module; `command` is then the new one. A command that is not
/// running is left alone (false).
bool RestartEdsaCommand(VexStateCommand_var& command);
