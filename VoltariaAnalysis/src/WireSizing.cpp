#include "WireSizing.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "AnalysisError.h"
#include "ResultFiles.h"

namespace voltaria::analysis {

namespace fs = std::filesystem;

namespace {

double Number(const std::string& text, const std::string& where) {
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(value)) throw AnalysisError(where + ": \"" + text + "\" is not a number");
  return value;
}

double LoadCurrentA(const WireSizingJob& job) {
  double factor = job.phases == 3 ? std::sqrt(3.0) : 1.0;
  return job.loadKw * 1000.0 / (factor * job.voltageV * job.powerFactor);
}

void Require(bool condition, const std::string& name, const std::string& why) {
  if (!condition) throw AnalysisError(name + ": " + why);
}

}  // namespace

WireSizingJob ReadWireSizingJob(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  std::ifstream in(path, std::ios::binary);
  if (!in) throw AnalysisError("cannot read the wire-sizing job " + path);
  WireSizingJob job;
  using Setter = std::function<void(const std::string&, const std::string&)>;
  auto number = [](double& field) { return Setter([&field](const std::string& v, const std::string& w) { field = Number(v, w); }); };
  auto whole = [](int& field) {
    return Setter([&field](const std::string& v, const std::string& w) { field = static_cast<int>(Number(v, w)); });
  };
  std::map<std::string, Setter> keys = {
      {"From", [&](const std::string& v, const std::string&) { job.from = v; }},
      {"To", [&](const std::string& v, const std::string&) { job.to = v; }},
      {"LengthM", number(job.lengthM)},
      {"Voltage", number(job.voltageV)},
      {"Phases", whole(job.phases)},
      {"LoadKW", number(job.loadKw)},
      {"PowerFactor", number(job.powerFactor)},
      {"AmbientC", number(job.ambientC)},
      {"ContinuousFactor", number(job.continuousFactor)},
      {"MaxVoltageDropPct", number(job.maxVoltageDropPercent)},
      {"Parallel", whole(job.parallel)},
  };
  std::string line;
  std::getline(in, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  Require(line.rfind("EDSA-WIRESIZE 1", 0) == 0, name, "not a wire-sizing job (no \"EDSA-WIRESIZE 1\" first line)");
  std::map<std::string, bool> seen;
  for (int number = 2; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::string where = name + " line " + std::to_string(number);
    std::size_t equals = line.find('=');
    Require(equals != std::string::npos, where, "not a Key=value line");
    auto key = keys.find(line.substr(0, equals));
    Require(key != keys.end(), where, "unknown key " + line.substr(0, equals));
    key->second(line.substr(equals + 1), where);
    seen[key->first] = true;
  }
  for (const char* needed : {"LengthM", "Voltage", "LoadKW"}) Require(seen[needed], name, std::string("it needs ") + needed + "=");
  Require(job.lengthM > 0 && job.voltageV > 0 && job.loadKw > 0, name, "LengthM, Voltage and LoadKW must be above zero");
  Require(job.powerFactor > 0 && job.powerFactor <= 1, name, "PowerFactor must be above 0 and at most 1");
  Require(job.phases == 1 || job.phases == 3, name, "Phases is 1 or 3");
  Require(job.parallel >= 1 && job.continuousFactor >= 1 && job.maxVoltageDropPercent > 0, name,
          "Parallel and ContinuousFactor are at least 1, MaxVoltageDropPct above zero");
  Require(AmbientCorrection(job.ambientC) > 0, name, "AmbientC is at or above the conductor temperature");
  return job;
}

double VoltageDropPercent(const WireSizingJob& job, const Conductor& conductor, double currentA) {
  double factor = job.phases == 3 ? std::sqrt(3.0) : 2.0;
  double sine = std::sqrt(1 - job.powerFactor * job.powerFactor);
  double lengthKm = job.lengthM / 1000.0;
  double dropV = factor * currentA * lengthKm *
                 (conductor.resistanceOhmPerKm * job.powerFactor + conductor.reactanceOhmPerKm * sine) / job.parallel;
  return 100.0 * dropV / job.voltageV;
}

WireSizingResult SizeWire(const WireSizingJob& job) {
  WireSizingResult result;
  result.loadCurrentA = LoadCurrentA(job);
  result.ambientFactor = AmbientCorrection(job.ambientC);
  result.requiredAmpacityA = result.loadCurrentA * job.continuousFactor / job.parallel;
  bool ampacityFound = false;
  for (const auto& conductor : CopperConductors()) {
    if (conductor.ampacityA * result.ambientFactor < result.requiredAmpacityA) continue;
    if (!ampacityFound) {
      result.byAmpacity = conductor;
      ampacityFound = true;
    }
    double drop = VoltageDropPercent(job, conductor, result.loadCurrentA);
    if (drop <= job.maxVoltageDropPercent) {
      result.chosen = conductor;
      result.voltageDropPercent = drop;
      result.limitedByVoltageDrop = conductor.size != result.byAmpacity.size;
      return result;
    }
  }
  throw AnalysisError(ampacityFound ? "no conductor up to 1000 kcmil keeps the voltage drop within " +
                                          Format("%g", job.maxVoltageDropPercent) + " %: add parallel sets (Parallel=)"
                                    : "no conductor up to 1000 kcmil carries " + Format("%.1f A", result.requiredAmpacityA) +
                                          ": add parallel sets (Parallel=)");
}

std::string WireSizingReport(const WireSizingJob& job, const WireSizingResult& result, const std::string& jobName,
                             const std::string& time) {
  std::string text = "Wire sizing report of " + jobName + ", " + time + "\n";
  text += "Feeder " + job.from + " -> " + job.to + ": " + Format("%.1f m", job.lengthM) + ", " + Format("%.0f V", job.voltageV) +
          ", " + std::to_string(job.phases) + "-phase, " + Format("%.1f kW", job.loadKw) + " at PF " +
          Format("%.2f", job.powerFactor) + ", " + std::to_string(job.parallel) + " set(s) in parallel\n";
  text += "Load current: " + Format("%.1f A", result.loadCurrentA) + "; with the continuous-load factor " +
          Format("%.2f", job.continuousFactor) + ": " + Format("%.1f A", result.requiredAmpacityA) + " per set\n";
  text += "Ambient " + Format("%.0f degC", job.ambientC) + ": ampacity factor " + Format("%.3f", result.ambientFactor) + "\n";
  text += "Smallest size for the current: " + result.byAmpacity.size + " (" +
          Format("%.0f A", result.byAmpacity.ampacityA * result.ambientFactor) + ")\n";
  text += "Chosen size: " + result.chosen.size + " copper, voltage drop " + Format("%.2f", result.voltageDropPercent) +
          " % (limit " + Format("%g", job.maxVoltageDropPercent) + " %), limited by " +
          (result.limitedByVoltageDrop ? "voltage drop" : "ampacity") + "\n";
  return text;
}

std::string RunWireSizing(const std::string& jobPath) {
  WireSizingJob job = ReadWireSizingJob(jobPath);
  WireSizingResult result = SizeWire(job);
  fs::path path = fs::path(jobPath).parent_path() / (fs::path(jobPath).stem().string() + ".wsr");
  WriteFileAtomically(path.string(), WireSizingReport(job, result, fs::path(jobPath).filename().string(), UtcNow()));
  return path.string();
}

}  // namespace voltaria::analysis
