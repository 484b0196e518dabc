#pragma once
// Help > Play the tour: the bundled tour played step by step in the window, a line every half
// second, through the same command language as the text tour; what each step changed is written
// in the window's Tour log. The script answers the questions while it plays. Each step is played
// as a person's action in the window, so a restart it calls for is honoured as the window does.

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

class ChangeReporter;
class LineReader;
class PanelRestart;
class ScriptInterpreter;
class TerminalUser;
class VexWorkspace;

class WindowTour : public QObject {
 public:
  /// `show` receives the transcript so far after each step; `finished` is called once at the end.
  WindowTour(const std::filesystem::path& script, VexWorkspace& workspace, PanelRestart& restart,
             std::function<void(const QString&)> show, std::function<void()> finished);
  ~WindowTour() override;

  void Start();
  bool IsPlaying() const { return timer_.isActive(); }

 private:
  void Step();
  void Finish();

  std::ifstream script_;
  std::ostringstream transcript_;
  std::unique_ptr<LineReader> reader_;
  TerminalUser* user_ = nullptr;  // owned by the session while the tour plays
  std::unique_ptr<ChangeReporter> reporter_;
  std::unique_ptr<ScriptInterpreter> interpreter_;
  std::function<void(const QString&)> show_;
  std::function<void()> finished_;
  QTimer timer_;
  int lineNumber_ = 0;
};
