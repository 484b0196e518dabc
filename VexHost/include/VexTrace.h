#pragma once
// Trace channels. A channel writes only when the host has switched it on: the environment variable
// VEX_TRACE lists channel names separated by commas, or says "all". Tests capture lines with
// VexTraceCapture whether or not a channel writes.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "VexUnicodeString.h"

class VexTrace {
 public:
  /// `mode` 1 flushes every line; 0 keeps up to `bufferSize` bytes before writing.
  /// `output` is "STDOUT" or "STDERR".
  VexTrace(const char* name, const char* description, int mode, const char* output,
           int bufferSize);
  ~VexTrace();
  VexTrace(const VexTrace&) = delete;
  VexTrace& operator=(const VexTrace&) = delete;

  void TraPutLN(int level, const char* text);
  void TraPutLN(int level, const VexUnicodeString& text) { TraPutLN(level, text.CastToCharPtr()); }
  /// A data line: the text, a blank, the number.
  void TraPutLN(int level, const char* text, long number);

  const std::string& GetName() const { return name_; }
  bool IsOn() const { return on_; }
  /// True when a line written now would go anywhere (the channel is on or a capture listens), so
  /// callers can skip building lines nobody reads.
  bool IsRecording() const;
  void Flush();

  /// Replaces the list of switched-on channels ("GRDUI1,GRDUI2", "all" or ""); applies to
  /// channels that exist now and to those created later.
  static void SwitchOn(const std::string& channelList);

 private:
  void Write(const std::string& line);

  std::string name_;
  std::string description_;
  int mode_;
  bool toStdout_;
  std::size_t bufferSize_;
  bool on_ = false;
  std::string buffer_;
};

/// One captured trace line.
struct VexTraceLine {
  std::string channel;
  int level;
  std::string text;
};

/// Records every line written to any channel while it exists (for tests and the host program).
class VexTraceCapture {
 public:
  VexTraceCapture();
  ~VexTraceCapture();
  VexTraceCapture(const VexTraceCapture&) = delete;
  VexTraceCapture& operator=(const VexTraceCapture&) = delete;

  std::vector<VexTraceLine> Lines() const;
  /// Number of captured lines whose text equals `text`.
  int Count(const std::string& text) const;
  bool Contains(const std::string& text) const { return Count(text) > 0; }
  void Clear();

 private:
  friend class VexTrace;
  void Record(const VexTraceLine& line);

  mutable std::mutex mutex_;
  std::vector<VexTraceLine> lines_;
};
