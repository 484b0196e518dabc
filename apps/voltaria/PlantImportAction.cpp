#include "PlantImportAction.h"

#include <ostream>

#include "VexPlantImport.h"
#include "VexWorkspace.h"

// Stages go one a line; steps of one stage ("parsing: 20%", "parsing: 30%") join its line.
void PlantImportAction::Run(const std::string& model) {
  out_ << "Importing " << model << '\n';
  std::string stage;
  auto show = [&](const std::string& progress) {
    std::size_t colon = progress.find(": ");
    std::string name = colon == std::string::npos ? progress : progress.substr(0, colon);
    if (!stage.empty() && name == stage && colon != std::string::npos) {
      out_ << ' ' << progress.substr(colon + 2);
    } else {
      out_ << (stage.empty() ? "" : "\n") << "  ... " << progress;
    }
    out_ << std::flush;
    stage = name;
  };
  VexImportReport report;
  try {
    report = VexImportPlantModel(workspace_.GetDocument(), VexUnicodeString(model), show);
  } catch (...) {
    if (!stage.empty()) out_ << '\n';
    throw;
  }
  if (!stage.empty()) out_ << '\n';
  out_ << report.ToText();
}
