// The command language's "import" and the restart of the EDSA command after a change of the plant
// from outside the module, so that its panel shows the document as it now is.
#include <ostream>

#include "ChangeReporter.h"
#include "PlantImportAction.h"
#include "ScriptInterpreter.h"
#include "VexApplicationFrame.h"
#include "VexClassDictionary.h"
#include "VexDlgWindow.h"
#include "VexSession.h"
#include "VexUiDriver.h"

void ScriptInterpreter::Import(const std::vector<std::string>& args) {
  PlantImportAction(workspace_, out_).Run(Rest(args, 1));
  RestartCommand();
}

void ScriptInterpreter::RestartCommand() {
  if (!IsPanelOpen()) return;
  out_ << "  The EDSA panel closes and opens again to show the plant as it is now.\n";
  RestartEdsaCommand(command_);
  restartedByLastCommand_ = true;
}

bool RestartEdsaCommand(VexStateCommand_var& command) {
  if (!command || !command->IsRunning()) return false;
  VexDialog* panel = VexApplicationFrame::GetFrame()->GetMainWindow()->FindChild("VexGrdPanel");
  if (!panel) throw std::runtime_error("the EDSA panel is missing");
  VexUiDriver(panel).PressCancel();
  command = VexStateCommand_var();  // the last reference: the ended command takes its panel along
  VexBaseUnknown_var created(VexClassDictionary::Instance().Create("VexGrdCmd"));
  VexStateCommand_var restarted(created);
  if (!restarted) throw std::runtime_error("the EDSA command could not be created again");
  VexSession::GetSession().RunEvent("start the EDSA command", [&] { VexSession::GetSession().StartCommand(restarted); });
  command = restarted;
  return true;
}
