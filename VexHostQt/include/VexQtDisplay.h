#pragma once
// Whether a display is there for a window, and a private X server (Xvfb) when one is needed
// without a display: the screenshots mode, and tests that need OpenGL.

#include <string>
#include <sys/types.h>

/// True when DISPLAY or WAYLAND_DISPLAY names a server that accepts a connection. Checked
/// without Qt, which ends the program when its platform cannot start.
bool VexQtIsDisplayAvailable();

class VexQtVirtualDisplay {
 public:
  /// Starts Xvfb on a free display number and sets DISPLAY to it; throws std::runtime_error
  /// when Xvfb cannot be started.
  VexQtVirtualDisplay();
  /// Stops the server and gives DISPLAY back its former value.
  ~VexQtVirtualDisplay();
  VexQtVirtualDisplay(const VexQtVirtualDisplay&) = delete;
  VexQtVirtualDisplay& operator=(const VexQtVirtualDisplay&) = delete;

  const std::string& GetName() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
  std::string formerDisplay_;
  bool hadDisplay_ = false;
};
