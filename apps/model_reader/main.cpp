// voltaria-model-reader: reads an IFC model (IFC2X3 or IFC4, STEP file) and writes its plant
// elements in the plant text format on standard output, for the host to import. Progress goes
// to standard error as "progress <stage>" lines; any other line there says why it failed (exit
// status 1). The host runs it as a child process: the IFC library sets the process locale and
// can only report errors through its message callback, and both stay here.
//   voltaria-model-reader <model.ifc>

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

#include "IfcPlantMapper.h"
#include "StepFile.h"
#include "VexPlantText.h"
#include "ifcpp/model/BuildingModel.h"
#include "ifcpp/reader/ReaderSTEP.h"

namespace {

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// Every error the library reports through its callback fails the reading, except, in a file of
// the older schema, the entities it has no class for: those are reported as skipped.
// Its progress values are passed on by tenths, so that a large model shows it is moving.
struct LibraryMessages {
  bool olderSchema = false;
  std::string errors;
  int tenths = 0;
  static void Take(void* self, shared_ptr<StatusCallback::Message> message) {
    if (!message) return;
    auto& messages = *static_cast<LibraryMessages*>(self);
    if (message->m_message_type == StatusCallback::MESSAGE_TYPE_PROGRESS_VALUE) {
      int tenths = static_cast<int>(message->m_progress_value * 10);
      if (tenths > messages.tenths && tenths < 10) {
        messages.tenths = tenths;
        std::cerr << "progress parsing: " << tenths * 10 << "%" << std::endl;
      }
      return;
    }
    if (message->m_message_type != StatusCallback::MESSAGE_TYPE_ERROR) return;
    std::string text = Narrow(message->m_message_text);
    if (messages.olderSchema && text.find("unknown IFC entity") != std::string::npos) return;
    if (messages.errors.size() < 2000) messages.errors += (messages.errors.empty() ? "" : "; ") + text;
  }
};

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("it cannot be opened");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

// The library knows the newer schema only: whatever of the file it did not read.
std::map<int, std::string> DroppedEntities(const StepFileFacts& facts, const BuildingModel& model) {
  std::map<int, std::string> dropped;
  const auto& read = model.getMapIfcEntities();
  for (const auto& [id, type] : facts.entities) {
    if (!read.count(id)) dropped.emplace(id, facts.types[type]);
  }
  return dropped;
}

// The peak resident memory of this program alone (the counters of getrusage also hold the
// parent's memory from before the exec), as a progress line when VOLTARIA_READER_PEAK is set.
void ReportPeakMemory() {
  if (!std::getenv("VOLTARIA_READER_PEAK")) return;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) std::cerr << "progress peak memory " << std::stol(line.substr(6)) / 1024 << " MB" << std::endl;
  }
}

// The result goes to the standard output as it was at the start; meanwhile that is the standard
// error, so that nothing the library might print can mix with the result.
class ResultChannel {
 public:
  ResultChannel() : fd_(::dup(1)) { ::dup2(2, 1); }
  ~ResultChannel() { ::close(fd_); }
  ResultChannel(const ResultChannel&) = delete;
  ResultChannel& operator=(const ResultChannel&) = delete;
  bool Write(const std::string& text) const {
    for (std::size_t done = 0; done < text.size();) {
      ssize_t wrote = ::write(fd_, text.data() + done, text.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return false;
      done += static_cast<std::size_t>(wrote);
    }
    return true;
  }

 private:
  int fd_;
};

int Read(const char* path) {
  ResultChannel result;
  std::cerr << "progress checking the file" << std::endl;
  std::string bytes = ReadFile(path);
  StepFileFacts facts = CheckStepFile(bytes);
  if (!IsSupportedSchema(facts.schema)) {
    throw std::runtime_error("its schema " + facts.schema + " is not supported (IFC2X3 and IFC4 are)");
  }
  std::cerr << "progress parsing " << facts.entities.size() << " entities of " << facts.schema << std::endl;
  auto model = std::make_shared<BuildingModel>();
  ReaderSTEP reader;
  LibraryMessages messages;
  messages.olderSchema = facts.schema == "IFC2X3";
  reader.setMessageCallBack(&messages, &LibraryMessages::Take);
  model->setMessageCallBack(&messages, &LibraryMessages::Take);
  reader.loadModelFromString(bytes, model);
  bytes.clear();
  if (!messages.errors.empty()) {
    if (messages.errors.find("setlocale") != std::string::npos) {
      messages.errors += " (the locale en_US.UTF-8 is missing: scripts/install-deps.sh installs it)";
    }
    throw std::runtime_error("the IFC library reports: " + messages.errors);
  }
  std::cerr << "progress mapping the plant elements" << std::endl;
  VexPlantModel plant = MapIfcPlant(model, DroppedEntities(facts, *model));
  bool written = result.Write("# " + std::to_string(plant.elements.size()) + " plant elements read from " +
                              std::string(path) + '\n' + VexWritePlantText(plant));
  ReportPeakMemory();
  if (!written) throw std::runtime_error("its plant elements could not be written out");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: voltaria-model-reader <model.ifc>\n";
    return 2;
  }
  try {
    return Read(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
  } catch (...) {
    std::cerr << "the IFC library failed on it\n";
  }
  return 1;
}
