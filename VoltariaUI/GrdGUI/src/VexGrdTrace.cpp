#include "VexGrdTrace.h"

#include <string>

VexGrdTraceScope::VexGrdTraceScope(VexTrace& channel, int level, const char* className,
                                   const char* method, Shape shape)
    : channel_(channel),
      level_(level),
      className_(className),
      method_(method),
      shape_(shape),
      uncaught_(std::uncaught_exceptions()) {
  if (!channel_.IsRecording()) return;  // registry rebuilds call small methods 100,000s of times
  std::string line = shape_ == Shape::Entering
                         ? std::string("--> Entering ") + className_ + ":: " + method_
                         : std::string("--> ") + className_ + " : " + method_;
  channel_.TraPutLN(level_, line.c_str());
}

VexGrdTraceScope::~VexGrdTraceScope() {
  if (std::uncaught_exceptions() > uncaught_ || !channel_.IsRecording()) return;
  std::string line;
  if (shape_ == Shape::Plain) {
    line = std::string("<-- ") + className_ + " : " + method_;
  } else {
    // The exit line of InitializePrivateData has always carried three blanks after "Exiting".
    const char* gap = std::string(method_) == "InitializePrivateData" ? "   " : " ";
    line = std::string("<-- Exiting") + gap + className_ + ":: " + method_;
  }
  channel_.TraPutLN(level_, line.c_str());
}
