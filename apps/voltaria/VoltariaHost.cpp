#include "VoltariaHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <ostream>

#include "ChangeReporter.h"
#include "ScriptInterpreter.h"
#include "TerminalUser.h"
#include "VexApplicationFrame.h"
#include "VexClassDictionary.h"
#include "VexDlgWindow.h"
#include "VexError.h"
#include "VexGrdEdsaRunner.h"
#include "VexParmDictionary.h"
#include "VexSession.h"
#include "VexWorkspace.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

// The module is loaded once for the life of the program, as a host loads its workbenches.
void* LoadModule(const fs::path& library, std::string& problem) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) problem = dlerror();
  return handle;
}

std::string StartMessage(const fs::path& plant, bool tour) {
  return tour ? "Plant document: " + plant.string() + " (a copy of the sample)"
              : "Plant document: " + plant.string();
}

}  // namespace

VoltariaHost::VoltariaHost(const VoltariaOptions& options, std::ostream& out, std::ostream& err)
    : options_(options), out_(out), err_(err) {}

fs::path VoltariaHost::ProgramFolder() const {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}

void VoltariaHost::ConfigureEnvironment() {
  if (options_.settings) ::setenv("VEX_SETTINGS_DIR", options_.settings->c_str(), 1);
  fs::path standIn = ProgramFolder().parent_path() / "edsa";
  if (options_.edsa) {
    VexGrdEdsaRunner::SetEdsaFolder(VexUnicodeString(*options_.edsa));
  } else if (!std::getenv("VOLTARIA_EDSA_HOME")) {
    VexGrdEdsaRunner::SetEdsaFolder(VexUnicodeString(standIn.string()));
  }
  std::string folder = VexGrdEdsaRunner::GetEdsaFolder().str();
  out_ << "EDSA folder: " << folder;
  std::error_code error;
  if (fs::equivalent(fs::path(folder), standIn, error)) {
    out_ << "\n  (EDSA is not installed here: these stand-in programs only record each run,"
            " with its\n   arguments, in edsa-runs.log beside the master file)";
  }
  out_ << '\n';
}

int VoltariaHost::Run() {
  if (options_.help) {
    out_ << VoltariaOptions::Usage();
    return kOk;
  }
  fs::path plant;
  bool create = false;
  bool tour = options_.IsTour();
  if (tour) {
    WorkFolder work = WorkFolder::CreateFromSample(ProgramFolder().parent_path() / "samples" / "plant",
                                                   fs::current_path() / "voltaria-work");
    options_.settings = work.settings.string();
    options_.script = (ProgramFolder().parent_path() / "samples" / "tour.vscript").string();
    plant = work.plant;
    out_ << "Voltaria: a tour of the EDSA panel on a copy of the sample plant.\n"
         << "Working folder: " << work.root.string() << '\n';
  } else if (options_.newPlant) {
    plant = *options_.newPlant;
    create = true;
    std::error_code error;
    if (fs::exists(fs::symlink_status(plant, error))) {
      err_ << "voltaria: " << plant.string() << " exists already; open it with --plant\n";
      return kBadUse;
    }
  } else if (options_.plant) {
    plant = *options_.plant;
    // Only a plain absence is answered here; a loop of links or a folder that cannot be searched
    // is explained by the document's own checks.
    std::error_code error;
    if (!fs::exists(plant, error) && (!error || error == std::errc::no_such_file_or_directory)) {
      err_ << "voltaria: there is no plant document " << plant.string()
           << " (to make a new one, use --new-plant)\n";
      return kBadUse;
    }
  } else {
    err_ << "voltaria: a script needs a plant document (--plant FILE)\n";
    return kBadUse;
  }
  int status = RunSession(plant, create, tour);
  if (tour) {
    fs::path root = plant.parent_path();
    out_ << (status == kOk ? "\nThe tour is over." : "\nThe tour stopped at the error above.")
         << " Its working folder, with the plant document, the EDSA\nproject and"
         << " the settings, is " << root.string() << ".\n"
         << "To go on by hand from where the tour stopped:\n"
         << "  " << (ProgramFolder() / "voltaria").string() << " --plant " << plant.string()
         << " --settings " << (root / "settings").string() << '\n';
  }
  return status;
}

int VoltariaHost::RunSession(const fs::path& plant, bool create, bool tour) {
  std::unique_ptr<std::ifstream> script;
  if (options_.script) {
    script = std::make_unique<std::ifstream>(*options_.script);
    if (!*script) {
      err_ << "voltaria: cannot read the script " << *options_.script << '\n';
      return kBadUse;
    }
  }
  ConfigureEnvironment();
  if (options_.unit) VexParmDictionary::SetCurrentUnit("LENGTH", options_.unit->c_str());

  std::unique_ptr<VexWorkspace> workspace;
  try {
    workspace = VexWorkspace::Open(VexUnicodeString(plant.string()), create);
  } catch (const VexError& error) {
    err_ << "voltaria: " << error.what() << '\n';
    return kBadUse;
  }
  out_ << StartMessage(plant, tour) << '\n';

  std::string problem;
  if (!LoadModule(ProgramFolder().parent_path() / "lib" / "libGrdGUI.so", problem)) {
    err_ << "voltaria: the EDSA module cannot be loaded: " << problem << '\n';
    return kCannotStart;
  }
  VexBaseUnknown_var created(VexClassDictionary::Instance().Create("VexGrdCmd"));
  VexStateCommand_var command(created);
  if (!command) {
    err_ << "voltaria: the EDSA module did not register its command \"VexGrdCmd\"\n";
    return kCannotStart;
  }

  bool interactive = !script && ::isatty(STDIN_FILENO);
  LineReader reader(interactive);
  auto user = std::make_unique<TerminalUser>(reader, out_);
  TerminalUser& person = *user;
  VexSession& session = VexSession::GetSession();
  session.SetUser(std::move(user));

  VexDlgWindow* mainWindow = VexApplicationFrame::GetFrame()->GetMainWindow();
  ChangeReporter reporter(mainWindow, workspace->GetEditor(), workspace->GetViewer(), out_);
  ScriptInterpreter interpreter(*workspace, command, person, reporter, out_);

  out_ << "\nThe EDSA panel opens:\n";
  reporter.Begin();
  if (auto error = session.RunEvent("start the EDSA command", [&] { session.StartCommand(command); },
                                    VexSession::ErrorMode::Return)) {
    reporter.Report();
    err_ << "voltaria: the EDSA command could not start\n";
    return kCannotStart;
  }
  reporter.Report();
  if (interactive) out_ << "Type help for the commands, quit to end.\n";

  int status = kOk;
  int lineNumber = 0;
  bool lastWasEcho = false;
  for (;;) {
    std::optional<std::string> line;
    if (script) {
      std::string text;
      if (!std::getline(*script, text)) break;
      line = text;
    } else {
      line = reader.Read("voltaria> ");
      if (!line) break;
    }
    ++lineNumber;
    std::vector<std::string> words;
    try {
      words = ScriptInterpreter::SplitWords(*line);
    } catch (const std::exception&) {
      words = {"?"};
    }
    if (words.empty()) continue;
    // A transcript shows each command after a blank line; a run of echo lines (narration) is
    // set apart the same way.
    bool echo = words[0] == "echo";
    if (!interactive && (!echo || !lastWasEcho)) out_ << '\n';
    if (!interactive && !echo) out_ << "> " << *line << '\n';
    lastWasEcho = echo;
    auto outcome = interpreter.Execute(*line);
    if (outcome == ScriptInterpreter::Outcome::Quit) break;
    if (outcome == ScriptInterpreter::Outcome::Failed && !interactive) {
      err_ << "voltaria: " << (options_.script ? *options_.script : std::string("input")) << ", line "
           << lineNumber << ": " << interpreter.GetLastError() << '\n';
      status = kCommandFailed;
      break;
    }
    if (!interpreter.IsPanelOpen()) break;
  }
  if (interpreter.IsPanelOpen()) {
    out_ << "\nClosing the EDSA panel (its settings are saved):\n";
    interpreter.ClosePanel();
  }
  return status;
}
