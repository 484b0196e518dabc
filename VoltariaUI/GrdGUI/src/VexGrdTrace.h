#pragma once
// Trace conventions of the module. Every source file owns the three channels GRDUI1 to GRDUI3,
// and methods write an entry and an exit line: "--> Class : Method" and "<-- Class : Method".

#include <exception>

#include "VexTrace.h"

/// The three channels of one source file, created when the module is loaded.
struct VexGrdTraceChannels {
  VexGrdTraceChannels(int mode, const char* output)
      : grdui1("GRDUI1", "GRDUI1 Trace", mode, output, 1024),
        grdui2("GRDUI2", "GRDUI2 Trace", mode, output, 1024),
        grdui3("GRDUI3", "GRDUI3 Trace", mode, output, 1024) {}
  VexTrace grdui1;
  VexTrace grdui2;
  VexTrace grdui3;
};

/// Writes the entry line now and the exit line when the method returns. No exit line is written
/// while an error propagates out of the method: the caller's error lines tell that story.
class VexGrdTraceScope {
 public:
  enum class Shape { Plain, Entering };

  VexGrdTraceScope(VexTrace& channel, int level, const char* className, const char* method,
                   Shape shape = Shape::Plain);
  ~VexGrdTraceScope();
  VexGrdTraceScope(const VexGrdTraceScope&) = delete;
  VexGrdTraceScope& operator=(const VexGrdTraceScope&) = delete;

 private:
  VexTrace& channel_;
  int level_;
  const char* className_;
  const char* method_;
  Shape shape_;
  int uncaught_;
};
