#pragma once
// The host's main window: File (Open plant..., New plant..., Import..., recent plants, Quit), a workbench
// toolbar with the EDSA command, the plant view in the centre, the module's panel docked beside
// it, a dock with the EDSA runs and the messages, and a status bar with the current master file
// and the length unit. It stands for the toolkit's main window: every window built under it is
// mirrored, the module's frame dialogs (its panel) in the dock, other windows free.

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "VexQtDesktopSettings.h"

class QDockWidget;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class VexDialog;
class VexQtDialogMirror;
class VexQtPeer;

class VexQtMainWindow : public QMainWindow {
 public:
  /// What the window asks of the host program.
  struct Host {
    std::function<void(const QString& path, bool create)> openPlant;  ///< may throw
    std::function<void()> startEdsa;                                   ///< the EDSA command
    std::function<QString()> masterFile;   ///< the document's master file, empty when none
    std::function<QString()> lengthUnit;   ///< the length unit in use ("mm")
    std::function<QString()> runsLog;      ///< the EDSA runs record beside the master file
    std::function<void()> playTour;        ///< Help > Play the tour; empty: no such entry
    using Progress = std::function<void(const std::string& stage)>;
    /// File > Import...: imports the model file into the open plant, telling `progress` each
    /// stage, and returns the report; may throw (the plant then stays as it was). Empty: no such
    /// entry.
    std::function<QString(const QString& path, const Progress& progress)> importModel;
  };

  VexQtMainWindow(VexDialog& toolkitMainWindow, Host host, QWidget* parent = nullptr);
  ~VexQtMainWindow() override;

  VexQtDialogMirror& GetMirror() { return *mirror_; }
  /// The plant view in the centre (owned by the window from then on).
  void SetPlantView(QWidget* view);
  /// The document now open: title, recent plants and status follow.
  void ShowPlant(const QString& path);
  /// Reads the status, the messages and the runs again.
  void RefreshStatus();
  QDockWidget* GetPanelDock() const { return panelDock_; }
  /// Shows `text` in the log dock's Tour page (made on first use) and brings it forward.
  void ShowTourTranscript(const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void RebuildRecentMenu();
  void AskForPlant(bool create);
  void OpenPlant(const QString& path, bool create);
  void AskForModel();
  void ImportModel(const QString& path);
  bool PlaceTopLevel(VexQtPeer& peer);
  void ReloadRuns();

  Host host_;
  VexQtDesktopSettings settings_;
  std::unique_ptr<VexQtDialogMirror> mirror_;
  QDockWidget* panelDock_ = nullptr;
  QPlainTextEdit* runs_ = nullptr;
  QPlainTextEdit* messages_ = nullptr;
  QPlainTextEdit* tour_ = nullptr;
  QTabWidget* logs_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QLabel* masterLabel_ = nullptr;
  QLabel* unitLabel_ = nullptr;
  QFileSystemWatcher* runsWatcher_ = nullptr;
};
