#pragma once
// The host application's frame: its main window, father of the modules' panels, and the busy
// cursor, which the session puts back to normal after each event.

#include "VexDlgWindow.h"

class VexApplicationFrame {
 public:
  /// The one frame of the process.
  static VexApplicationFrame* GetFrame();

  /// The main window "VexMainWindow", shown from the start.
  VexDlgWindow* GetMainWindow() const { return mainWindow_.get(); }
  /// Shows the busy cursor on the main window until the current event ends.
  void SetBusyCursor();
  bool IsBusy() const;
  /// Back to the normal cursor (the session calls it after each event).
  void ResetCursor();

 private:
  VexApplicationFrame();
  VexVar<VexDlgWindow> mainWindow_;
};
