#include "VoltariaHost.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "ChangeReporter.h"
#include "DesktopSession.h"
#include "PanelRestart.h"
#include "VexQtDisplay.h"
#include "PlantImportAction.h"
#include "ScriptInterpreter.h"
#include "TerminalUser.h"
#include "VexApplicationFrame.h"
#include "VexClassDictionary.h"
#include "VexDlgWindow.h"
#include "VexError.h"
#include "VexGrdEdsaRunner.h"
#include "VexGrdProject.h"
#include "VexParmDictionary.h"
#include "VexPlantModelReader.h"
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

// "012-push-Synchronize.png": the script line and its first words, file-name safe.
std::string StepPictureName(int lineNumber, const std::vector<std::string>& words) {
  char number[16];
  std::snprintf(number, sizeof number, "%03d", lineNumber);
  std::string name = number;
  for (std::size_t i = 0; i < words.size() && i < 2; ++i) {
    name += '-';
    for (char c : words[i]) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name.substr(0, 48) + ".png";
}

// Everything the program hands on (the document's folder for $PLANT_DIR, the key of its EDSA
// settings, the closing command of the tour) needs the document's full path.
fs::path Absolute(const std::string& path) { return fs::absolute(fs::path(path)).lexically_normal(); }

// A script is read whole before the session starts, so that a folder or an unreadable file is
// refused at once rather than played as an empty script. A byte-order mark is not a command.
std::optional<std::vector<std::string>> ReadScript(const fs::path& file, std::string& problem) {
  std::error_code error;
  if (fs::is_directory(file, error)) {
    problem = "it is a folder";
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    problem = fs::exists(file, error) ? "it cannot be read" : "there is no such file";
    return std::nullopt;
  }
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (in.bad()) {
    problem = "it cannot be read";
    return std::nullopt;
  }
  if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
  return lines;
}

// The module registers its command's factory when it is loaded.
VexStateCommand_var CreateEdsaCommand() {
  VexBaseUnknown_var created(VexClassDictionary::Instance().Create("VexGrdCmd"));
  return VexStateCommand_var(created);
}

// `before` runs first, inside the same report: what it shows the user is printed with the panel.
bool StartEdsaCommand(const VexStateCommand_var& command, ChangeReporter& reporter,
                      const std::function<void()>& before = {}) {
  VexSession& session = VexSession::GetSession();
  reporter.Begin();
  if (before) before();
  auto error = session.RunEvent("start the EDSA command", [&] { session.StartCommand(command); },
                                VexSession::ErrorMode::Return);
  reporter.Report();
  return !error;
}

}  // namespace

// A restart the person is told of in a message shows the closing on its own; one announced in the
// command's report shows only what the panel shows anew.
bool VoltariaHost::RestartPanel(PanelRestart& restart, ChangeReporter& reporter,
                                const PanelRestart::Request& request) {
  const bool ownMessage = request.notice == PanelRestart::Notice::Message;
  if (ownMessage) out_ << "\n" << request.reason << " The EDSA panel closes (its settings are saved) and opens again:\n";
  reporter.Begin();
  try {
    restart.Restart(request, [&] {
      if (!ownMessage) return;
      reporter.Report();
      reporter.Begin();
    });
  } catch (const std::exception&) {
    reporter.Report();
    err_ << "voltaria: the EDSA command could not start again\n";
    return false;
  }
  reporter.Report();
  return true;
}

std::string ShellQuoted(const std::string& word) {
  if (!word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                              "0123456789/._-+=:,@%") == std::string::npos) {
    return word;
  }
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

VoltariaHost::VoltariaHost(const VoltariaOptions& options, std::ostream& out, std::ostream& err)
    : options_(options), out_(out), err_(err) {}

fs::path VoltariaHost::ProgramFolder() const {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path() : self.parent_path();
}

void VoltariaHost::ConfigureEnvironment() {
  if (options_.settings) ::setenv("VEX_SETTINGS_DIR", Absolute(*options_.settings).c_str(), 1);
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
    out_ << "\n  (EDSA is not installed here: Voltaria's own analysis programs answer to EDSA's program"
            " names,\n   compute what they can and record each run in edsa-runs.log beside the master file)";
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
  window_ = ChooseWindow();
  if (tour) {
    WorkFolder work = WorkFolder::CreateFromSample(ProgramFolder().parent_path() / "samples" / "plant",
                                                   fs::current_path() / "voltaria-work");
    options_.settings = work.settings.string();
    plant = work.plant;
    if (window_ && !options_.screenshots) {
      out_ << "Voltaria: the window opens on a copy of the sample plant (Help > Play the tour).\n"
           << "Working folder: " << work.root.string() << '\n';
      return RunSession(plant, false, true);
    }
    options_.script = (ProgramFolder().parent_path() / "samples" / "tour.vscript").string();
    out_ << "Voltaria: a tour of the EDSA panel on a copy of the sample plant.\n"
         << "Working folder: " << work.root.string() << '\n';
  } else if (options_.newPlant) {
    plant = Absolute(*options_.newPlant);
    create = true;
    std::error_code error;
    if (fs::exists(fs::symlink_status(plant, error))) {
      err_ << "voltaria: " << plant.string() << " exists already; open it with --plant\n";
      return kBadUse;
    }
  } else if (options_.plant) {
    plant = Absolute(*options_.plant);
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
         << "  " << ShellQuoted((ProgramFolder() / "voltaria").string()) << " --plant "
         << ShellQuoted(plant.string()) << " --settings " << ShellQuoted((root / "settings").string())
         << '\n';
  }
  return status;
}

bool VoltariaHost::ChooseWindow() {
  if (options_.screenshots) return true;
  if (options_.text || options_.script) return false;
  if (VexQtIsDisplayAvailable()) return true;
  noDisplay_ = true;
  return false;
}

int VoltariaHost::RunSession(const fs::path& plant, bool create, bool tour) {
  std::optional<std::vector<std::string>> script;
  if (options_.script) {
    std::string problem;
    script = ReadScript(*options_.script, problem);
    if (!script) {
      err_ << "voltaria: cannot play the script " << *options_.script << ": " << problem << '\n';
      return kBadUse;
    }
  }
  if (noDisplay_) out_ << "No display (DISPLAY or WAYLAND_DISPLAY) answers, so the session runs as text.\n";
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
  VexGrdProject::SeedSettingsFromDocument(workspace->GetDocument());

  std::string problem;
  if (!LoadModule(ProgramFolder().parent_path() / "lib" / "libGrdGUI.so", problem)) {
    err_ << "voltaria: the EDSA module cannot be loaded: " << problem << '\n';
    return kCannotStart;
  }
  VexStateCommand_var command = CreateEdsaCommand();
  if (!command) {
    err_ << "voltaria: the EDSA module did not register its command \"VexGrdCmd\"\n";
    return kCannotStart;
  }
  PanelRestart restart(command);

  bool interactive = !script && ::isatty(STDIN_FILENO);
  LineReader reader(interactive);
  auto user = std::make_unique<TerminalUser>(reader, out_);
  TerminalUser& person = *user;
  VexSession& session = VexSession::GetSession();
  session.SetUser(std::move(user));
  if (!ImportModels(*workspace)) return kCommandFailed;
  if (window_ && !options_.screenshots) {
    // The window starts the command as a person's action would. The one made above only showed
    // that the module registers it: it goes now, before the window would show its panel too.
    command = VexStateCommand_var();
    return RunDesktopSession(workspace, restart, ProgramFolder().parent_path() / "samples" / "tour.vscript", out_);
  }
  std::unique_ptr<VexQtVirtualDisplay> display;
  std::unique_ptr<DesktopSession> desktop;
  if (options_.screenshots) {
    if (!VexQtIsDisplayAvailable()) display = std::make_unique<VexQtVirtualDisplay>();
    fs::create_directories(*options_.screenshots);
    DesktopSession::Options window;
    window.answersFromScript = true;
    desktop = std::make_unique<DesktopSession>(workspace, restart, window);
    desktop->Show();
  }

  VexDlgWindow* mainWindow = VexApplicationFrame::GetFrame()->GetMainWindow();
  ChangeReporter reporter(mainWindow, workspace->GetEditor(), workspace->GetViewer(), out_);
  ScriptInterpreter interpreter(*workspace, restart, person, reporter, out_);

  out_ << "\nThe EDSA panel opens:\n";
  if (!StartEdsaCommand(command, reporter)) {
    err_ << "voltaria: the EDSA command could not start\n";
    return kCannotStart;
  }
  if (interactive) out_ << "Type help for the commands, quit to end.\n";

  int status = kOk;
  int lineNumber = 0;
  bool lastWasEcho = false;
  for (;;) {
    std::optional<std::string> line;
    if (script) {
      if (static_cast<std::size_t>(lineNumber) >= script->size()) break;
      line = (*script)[static_cast<std::size_t>(lineNumber)];
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
    restart.BeforeEvent(workspace->GetDocument(), ScriptInterpreter::ActsOnThePanel(words[0]));
    auto outcome = interpreter.Execute(*line);
    restart.AfterEvent();
    if (auto request = restart.Take(); request && !RestartPanel(restart, reporter, *request)) {
      return kCannotStart;
    }
    if (desktop && !echo) desktop->Capture(fs::path(*options_.screenshots) / StepPictureName(lineNumber, words));
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

bool VoltariaHost::ImportModels(VexWorkspace& workspace) {
  VexPlantModelReader::SetReaderProgram(VexUnicodeString((ProgramFolder() / "voltaria-model-reader").string()));
  for (const std::string& model : options_.imports) {
    try {
      PlantImportAction(workspace, out_).Run(model);
    } catch (const std::exception& error) {
      err_ << "voltaria: " << error.what() << '\n';
      return false;
    }
  }
  return true;
}
