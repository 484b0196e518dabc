#include "EdsaProgram.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "AnalysisError.h"
#include "CablePull.h"
#include "NetworkReports.h"
#include "WireSizing.h"

namespace voltaria::analysis {

namespace fs = std::filesystem;

namespace {

bool IsMasterFile(const std::string& argument) {
  std::string extension = fs::path(argument).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".mas" || extension == ".mps" || extension == ".mds" || extension == ".mss";
}

// "/mode", "/job": a slash and a word, which no path to a file looks like.
bool IsOptionName(const std::string& word) {
  return word.size() > 1 && word[0] == '/' && word.find('/', 1) == std::string::npos && !IsMasterFile(word);
}

struct Arguments {
  std::string master;
  std::map<std::string, std::string> options;  // "/mode" -> "4"

  static Arguments Parse(const std::vector<std::string>& words) {
    Arguments parsed;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (IsOptionName(words[i]) && i + 1 < words.size()) {
        parsed.options[words[i]] = words[i + 1];
        ++i;
      } else if (parsed.master.empty()) {
        parsed.master = words[i];
      } else {
        throw std::invalid_argument("unexpected argument " + words[i]);
      }
    }
    if (parsed.master.empty()) throw std::invalid_argument("no master file given");
    return parsed;
  }
  std::string Option(const std::string& name) const {
    auto found = options.find(name);
    if (found == options.end()) throw std::invalid_argument("missing " + name);
    return found->second;
  }
};

Network NetworkOfType(const std::string& masterPath, const std::string& type, const char* analysis) {
  MasterData data = ReadMasterFile(masterPath);
  if (data.networkType != type) {
    throw AnalysisError(std::string(analysis) + " needs a " + type + " network; " + fs::path(masterPath).filename().string() +
                        " is " + (data.networkType.empty() ? std::string("of no known type") : data.networkType));
  }
  return BuildNetwork(data);
}

void LoadFlow(const Arguments& a, const std::string& type) {
  Network network = NetworkOfType(a.master, type, type == "DC" ? "the DC load flow" : "the AC load flow");
  std::vector<Complex> demand = network.DemandPu();
  LoadFlowSolution solution = SolveLoadFlow(network, demand);
  LoadFlowReport(network, demand, solution).Write(a.master, UtcNow());
}

void ShortCircuit(const Arguments& a) {
  Network network = NetworkOfType(a.master, "3P", "the three-phase short circuit");
  ShortCircuitReport(network, ComputeShortCircuit(network)).Write(a.master, UtcNow());
}

void MotorStart(const Arguments& a) {
  MasterData data = ReadMasterFile(a.master);
  if (data.networkType != "3P") throw AnalysisError("motor starting needs a 3P network");
  Network network = BuildNetwork(data);
  MotorStartingReport(network, ComputeMotorStarting(network, data.startMotor)).Write(a.master, UtcNow());
}

void CablePull(const Arguments& a) {
  int mode = std::stoi(a.Option("/mode"));
  RunCablePull(mode, a.Option("/job"));
}

void WireSize(const Arguments& a) { RunWireSizing(a.Option("/job")); }

using Program = std::function<void(const Arguments&)>;

const std::map<std::string, Program>& ComputedPrograms() {
  static const std::map<std::string, Program> programs = {
      {"aclfmain.exe", [](const Arguments& a) { LoadFlow(a, "3P"); }},
      {"dclfmain.exe", [](const Arguments& a) { LoadFlow(a, "DC"); }},
      {"scac3p.exe", ShortCircuit},
      {"mstrmain.exe", MotorStart},
      {"cablpull.exe", CablePull},
      {"Wwrsznec.exe", WireSize},
  };
  return programs;
}

const std::map<std::string, std::string>& ProgramsNotComputed() {
  static const std::map<std::string, std::string> programs = {
      {"harmmain.exe", "harmonic analysis is not computed here; no result written"},
      {"scdc.exe", "the DC short circuit is not computed here; no result written"},
      {"scac1pxf.exe", "the single-phase short circuit is not computed here; no result written"},
      {"winedsa.exe", "the interactive EDSA program is not installed on this machine; nothing was opened"},
  };
  return programs;
}

}  // namespace

void RecordRun(const std::string& programName, const std::vector<std::string>& arguments, const std::string& fallbackFolder) {
  fs::path folder = fallbackFolder;
  for (const auto& argument : arguments) {
    if (IsMasterFile(argument)) {
      folder = fs::path(argument).parent_path();
      break;
    }
  }
  std::string line = programName;
  for (const auto& argument : arguments) line += "\t" + argument;
  line += "\t" + UtcNow() + "\n";
  int fd = ::open((folder / "edsa-runs.log").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;  // the record is a courtesy; the run itself goes on
  ssize_t written = ::write(fd, line.data(), line.size());
  (void)written;
  ::close(fd);
}

int RunEdsaProgram(const std::string& programName, const std::vector<std::string>& arguments, std::ostream& errors) {
  if (auto skipped = ProgramsNotComputed().find(programName); skipped != ProgramsNotComputed().end()) {
    errors << programName << ": " << skipped->second << "\n";
    return kExitNotComputed;
  }
  auto program = ComputedPrograms().find(programName);
  if (program == ComputedPrograms().end()) {
    errors << programName << ": not an EDSA program name this set answers to\n";
    return kExitNotComputed;
  }
  Arguments parsed;
  try {
    parsed = Arguments::Parse(arguments);
    program->second(parsed);
  } catch (const AnalysisError& error) {
    errors << programName << ": " << error.what() << "; no result written\n";
    return kExitRefused;
  } catch (const std::invalid_argument& error) {
    errors << programName << ": " << error.what() << " (arguments: <master file> [/mode N] [/job FILE])\n";
    return kExitUsage;
  } catch (const std::out_of_range& error) {
    errors << programName << ": a number in the arguments is out of range\n";
    return kExitUsage;
  }
  return 0;
}

}  // namespace voltaria::analysis
