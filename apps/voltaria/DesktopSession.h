#pragma once
// The host program's window session: the main window on the open plant, the EDSA panel docked,
// the user's questions as message boxes. Opening another plant ends the EDSA command (its
// settings are saved), switches the document and starts the command again.

#include <QApplication>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "ProgramRuns.h"
#include "VexPlantModelReader.h"
#include "VexStateCommand.h"

class VexQtMainWindow;
class VexQtPlantView;
class VexWorkspace;
class WindowTour;

/// Runs the window session on `workspace`: starts the EDSA command and returns when the window
/// is closed, with the host program's exit status.
int RunDesktopSession(std::unique_ptr<VexWorkspace>& workspace, VexStateCommand_var command,
                      const std::filesystem::path& tourScript, std::ostream& out);

class DesktopSession {
 public:
  /// `answersFromScript`: a script answers the questions (the screenshots mode), so the
  /// session's user is left as it is; otherwise the person at the window answers.
  /// `tourScript` is what Help > Play the tour plays (empty: no such entry).
  DesktopSession(std::unique_ptr<VexWorkspace>& workspace, VexStateCommand_var& command,
                 bool answersFromScript, std::filesystem::path tourScript = {});
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  /// Shows the window and runs until it is closed; then closes the panel as a person would.
  int Run();
  /// Shows the window now (for screenshots, before the first step).
  void Show();
  /// Lets the window catch up, then writes it to `file` as PNG; false when it could not.
  bool Capture(const std::filesystem::path& file);
  /// Starts the EDSA command as the toolbar's button does; a failure is shown as a message.
  void StartEdsaAsPerson();

 private:
  void OpenPlant(const QString& path, bool create);
  void StartEdsa();
  void ClosePanel();
  void ShowDocument();
  void PlayTour();
  QString ImportModel(const QString& path, const VexPlantModelReader::Progress& progress);

  int argc_ = 1;
  char* argv_[2] = {const_cast<char*>("voltaria"), nullptr};
  QApplication application_;
  std::unique_ptr<VexWorkspace>& workspace_;
  VexStateCommand_var& command_;
  std::unique_ptr<VexQtMainWindow> window_;
  VexQtPlantView* plantView_ = nullptr;  // owned by the window
  std::filesystem::path tourScript_;
  std::unique_ptr<WindowTour> tour_;
  ProgramRuns programRuns_;  // EDSA runs; their failures are shown as they end
};
