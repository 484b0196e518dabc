#include "PlantImportAction.h"

#include <ostream>

#include "VexPlantImport.h"
#include "VexWorkspace.h"

void PlantImportAction::Run(const std::string& model) {
  out_ << "Importing " << model << '\n';
  VexImportReport report = VexImportPlantModel(workspace_.GetDocument(), VexUnicodeString(model),
                                               [this](const std::string& stage) { out_ << "  ... " << stage << '\n' << std::flush; });
  out_ << report.ToText();
}
