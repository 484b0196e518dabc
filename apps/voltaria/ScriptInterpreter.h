#pragma once
// The small command language of the host program, shared by scripts and the interactive prompt:
// one command a line, words separated by blanks, "double quotes" around words with blanks,
// '#' starts a comment. Each command acts as a person would (one session event each) and the
// change reporter then tells what changed. "help" lists the commands.

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "ProgramRuns.h"
#include "VexBaseUnknown.h"
#include "VexProcess.h"

class ChangeReporter;
class PanelRestart;
class TerminalUser;
class VexDialog;
class VexWorkspace;

class VexDlgMultiList;

class ScriptInterpreter {
 public:
  /// Stands for the folder of the plant document in a line, so scripts work on any copy.
  static constexpr const char* kPlantFolder = "$PLANT_DIR";

  enum class Outcome { Done, Failed, Quit };

  /// `restart` holds the session's EDSA command; the interpreter asks it for a restart when a
  /// command changed the plant behind the panel's back (an import).
  ScriptInterpreter(VexWorkspace& workspace, PanelRestart& restart, TerminalUser& user,
                    ChangeReporter& reporter, std::ostream& out);
  ~ScriptInterpreter();
  ScriptInterpreter(const ScriptInterpreter&) = delete;
  ScriptInterpreter& operator=(const ScriptInterpreter&) = delete;

  /// Runs one line. A failure prints one line starting with "error:" and changes nothing that
  /// the failed event had begun to change.
  Outcome Execute(const std::string& line);
  /// The text of the last failure (empty after a success).
  const std::string& GetLastError() const { return lastError_; }
  /// True while the EDSA command runs (its panel is open).
  bool IsPanelOpen() const;
  /// Closes the panel as a person would (its Cancel), which saves the panel's settings.
  void ClosePanel();
  /// True when the command `name` acts on the panel or its command (widgets, picks, menus), so
  /// that the network changes it makes are the module's own.
  static bool ActsOnThePanel(const std::string& name);

  /// Splits a line into words (quotes group, '#' outside quotes ends the line).
  static std::vector<std::string> SplitWords(const std::string& line);

 private:
  using Handler = std::function<void(const std::vector<std::string>& args)>;
  struct Command {
    std::string usage;
    std::string help;
    int minArguments;
    Handler handler;
    bool reportsChanges;
  };

  void Define(const std::string& name, std::string usage, std::string help, int minArguments,
              Handler handler, bool reportsChanges = true);
  void DefineCommands();
  VexDialog& Panel() const;
  VexBaseUnknown_var FindObject(const std::string& name) const;
  std::string Rest(const std::vector<std::string>& args, std::size_t from) const;
  void Expand(std::vector<std::string>& words) const;
  /// The widget a person names: as printed ("Navigator/ShowAllCheck"), as an identifier path, or
  /// by its identifier alone, which picks the one on screen when several share it.
  VexDialog& Widget(const std::string& name) const;
  int RowOf(const VexDlgMultiList& list, const std::string& name) const;

  void Help(const std::vector<std::string>& args);
  void Show(const std::vector<std::string>& args);
  void Tab(const std::vector<std::string>& args);
  void Select(const std::vector<std::string>& args);
  void Elements(const std::vector<std::string>& args);
  void Entry(const std::vector<std::string>& args);
  void PrintModel();
  void PrintRuns();
  void Import(const std::vector<std::string>& args);  // ScriptImport.cpp

  VexWorkspace& workspace_;
  PanelRestart& restart_;
  TerminalUser& user_;
  ChangeReporter& reporter_;
  std::ostream& out_;
  std::map<std::string, Command> commands_;
  std::vector<std::string> order_;
  std::string lastError_;
  int processObserver_ = 0;
  std::vector<VexProcessStart> started_;  // programs started in this session, in order
  ProgramRuns programRuns_;  // the EDSA programs started, waited for after each command
};
