// The command language's "import". The panel's lists do not follow an import, so the session is
// asked to start the EDSA command again after it; the import's report says so.
#include <ostream>

#include "PanelRestart.h"
#include "PlantImportAction.h"
#include "ScriptInterpreter.h"

void ScriptInterpreter::Import(const std::vector<std::string>& args) {
  PlantImportAction(workspace_, out_).Run(Rest(args, 1));
  if (!IsPanelOpen()) return;
  out_ << "  " << PanelRestart::kImportNotice << '\n';
  restart_.Ask("The plant model was imported.", PanelRestart::Notice::InTheReport);
}
