#pragma once
// The host program's window session: the main window on the open plant, the EDSA panel docked,
// the user's questions as message boxes. Opening another plant ends the EDSA command (its
// settings are saved), switches the document and starts the command again. After each of the
// person's actions, a panel left stale (an event rolled back, the network changed from the
// window's menus, an import) is shown anew: the command ends and starts again, with one message.

#include <QApplication>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "ProgramRuns.h"
#include "VexPlantModelReader.h"
#include "VexQtUser.h"

class PanelRestart;
class VexQtMainWindow;
class VexQtPlantView;
class VexWorkspace;
class WindowTour;

/// Runs the window session on `workspace`: starts the EDSA command and returns when the window
/// is closed, with the host program's exit status.
int RunDesktopSession(std::unique_ptr<VexWorkspace>& workspace, PanelRestart& restart,
                      const std::filesystem::path& tourScript, std::ostream& out);

class DesktopSession : private VexQtPersonActionObserver {
 public:
  struct Options {
    /// A script answers the questions (the screenshots mode), so the session's user is left as
    /// it is; otherwise the person at the window answers.
    bool answersFromScript = false;
    /// What Help > Play the tour plays (empty: no such entry).
    std::filesystem::path tourScript;
    /// The plant in 3D in the centre; without it (tests on a platform without OpenGL) the centre
    /// stays empty.
    bool plantView = true;
  };

  /// `restart` holds the session's EDSA command, shared with a text session that runs beside
  /// the window (the screenshots mode).
  DesktopSession(std::unique_ptr<VexWorkspace>& workspace, PanelRestart& restart, Options options);
  ~DesktopSession() override;
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
  VexQtMainWindow& GetWindow() { return *window_; }

 private:
  void BeforePersonAction(VexQtActionTarget target) override;
  void AfterPersonAction() override;
  void OpenPlant(const QString& path, bool create);
  void StartEdsa();
  void ClosePanel();
  void ShowDocument();
  void PlayTour();
  QString ImportModel(const QString& path, const VexPlantModelReader::Progress& progress);

  int argc_ = 1;
  char* argv_[2] = {const_cast<char*>("voltaria"), nullptr};
  std::unique_ptr<QApplication> ownApplication_;  // when the program has none yet
  std::unique_ptr<VexWorkspace>& workspace_;
  PanelRestart& restart_;
  std::unique_ptr<VexQtMainWindow> window_;
  VexQtPlantView* plantView_ = nullptr;  // owned by the window
  std::filesystem::path tourScript_;
  std::unique_ptr<WindowTour> tour_;
  ProgramRuns programRuns_;  // EDSA runs; their failures are shown as they end
};
