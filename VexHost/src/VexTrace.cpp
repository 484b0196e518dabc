#include "VexTrace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace {

struct TraceState {
  std::mutex mutex;
  bool all = false;
  std::set<std::string> switchedOn;
  std::vector<VexTrace*> channels;
  std::vector<VexTraceCapture*> captures;
};

void ParseChannelList(TraceState& state, const std::string& list) {
  state.all = false;
  state.switchedOn.clear();
  std::stringstream stream(list);
  std::string name;
  while (std::getline(stream, name, ',')) {
    name.erase(0, name.find_first_not_of(' '));
    name.erase(name.find_last_not_of(' ') + 1);
    if (name == "all" || name == "ALL") state.all = true;
    if (!name.empty()) state.switchedOn.insert(name);
  }
}

TraceState& State() {
  static TraceState* state = [] {
    auto* s = new TraceState;  // never destroyed: channels of unloading libraries still use it
    if (const char* list = std::getenv("VEX_TRACE")) ParseChannelList(*s, list);
    return s;
  }();
  return *state;
}

bool IsSwitchedOn(const TraceState& state, const std::string& name) {
  return state.all || state.switchedOn.count(name) > 0;
}

}  // namespace

VexTrace::VexTrace(const char* name, const char* description, int mode, const char* output,
                   int bufferSize)
    : name_(name ? name : ""),
      description_(description ? description : ""),
      mode_(mode),
      toStdout_(output && std::string(output) == "STDOUT"),
      bufferSize_(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0) {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  on_ = IsSwitchedOn(state, name_);
  state.channels.push_back(this);
}

VexTrace::~VexTrace() {
  Flush();
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  std::erase(state.channels, this);
}

void VexTrace::SwitchOn(const std::string& channelList) {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  ParseChannelList(state, channelList);
  for (VexTrace* channel : state.channels) channel->on_ = IsSwitchedOn(state, channel->name_);
}

bool VexTrace::IsRecording() const { return on_ || !State().captures.empty(); }

void VexTrace::TraPutLN(int level, const char* text) {
  TraceState& state = State();
  if (!on_ && state.captures.empty()) return;  // the common, silent case stays cheap
  std::string line = text ? text : "";
  {
    std::lock_guard lock(state.mutex);
    for (VexTraceCapture* capture : state.captures) capture->Record({name_, level, line});
  }
  if (on_) Write(line);
}

void VexTrace::TraPutLN(int level, const char* text, long number) {
  if (!on_ && State().captures.empty()) return;
  std::string line = text ? text : "";
  line += ' ';
  line += std::to_string(number);
  TraPutLN(level, line.c_str());
}

void VexTrace::Write(const std::string& line) {
  buffer_ += name_;
  buffer_ += ": ";
  buffer_ += line;
  buffer_ += '\n';
  if (mode_ == 1 || buffer_.size() >= bufferSize_) Flush();
}

void VexTrace::Flush() {
  if (buffer_.empty()) return;
  std::FILE* stream = toStdout_ ? stdout : stderr;
  std::fwrite(buffer_.data(), 1, buffer_.size(), stream);
  std::fflush(stream);
  buffer_.clear();
}

VexTraceCapture::VexTraceCapture() {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  state.captures.push_back(this);
}

VexTraceCapture::~VexTraceCapture() {
  TraceState& state = State();
  std::lock_guard lock(state.mutex);
  std::erase(state.captures, this);
}

void VexTraceCapture::Record(const VexTraceLine& line) {
  std::lock_guard lock(mutex_);
  lines_.push_back(line);
}

std::vector<VexTraceLine> VexTraceCapture::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

int VexTraceCapture::Count(const std::string& text) const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(lines_.begin(), lines_.end(),
                                        [&](const VexTraceLine& l) { return l.text == text; }));
}

void VexTraceCapture::Clear() {
  std::lock_guard lock(mutex_);
  lines_.clear();
}
