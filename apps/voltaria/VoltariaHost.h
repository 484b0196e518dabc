#pragma once
// The host program: opens a plant document, loads the EDSA module, starts its command and runs a
// session, interactive at a terminal or scripted. With no option it plays the bundled tour on a
// fresh copy of the sample.

#include <filesystem>
#include <iosfwd>
#include <string>

#include "PanelRestart.h"
#include "VoltariaOptions.h"

class ChangeReporter;
class VexWorkspace;

/// `word` as a POSIX shell reads it back as one word: as it is when it holds only safe
/// characters, else in single quotes (a quote inside as '\'').
std::string ShellQuoted(const std::string& word);

class VoltariaHost {
 public:
  /// Exit statuses.
  enum Status { kOk = 0, kCommandFailed = 1, kBadUse = 2, kCannotStart = 3 };

  VoltariaHost(const VoltariaOptions& options, std::ostream& out, std::ostream& err);
  int Run();

 private:
  /// Where the program finds its companions: the module, the sample, the stand-in EDSA folder.
  std::filesystem::path ProgramFolder() const;
  void ConfigureEnvironment();
  int RunSession(const std::filesystem::path& plant, bool create, bool tour);
  /// Honours a restart of the EDSA command in the transcript: the command ends (its settings
  /// saved), the person is told why and a new command starts. False when it cannot start.
  bool RestartPanel(PanelRestart& restart, ChangeReporter& reporter, const PanelRestart::Request& request);
  /// Whether the session runs in a window: asked for screenshots, or a display is there and
  /// neither --text nor --script was given. The session says so in one line when a window was
  /// possible but no display answered.
  bool ChooseWindow();
  /// The --import models, each reported; false (after saying why) when one fails.
  bool ImportModels(VexWorkspace& workspace);

  VoltariaOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  bool window_ = false;
  bool noDisplay_ = false;
};
