#include "MasterData.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "AnalysisError.h"

namespace voltaria::analysis {

namespace {

constexpr int kNewestVersion = 2;

// One data record: "Kind=identifier key=value key=value ...".
class Record {
 public:
  Record(std::string where, const std::string& rest) : where_(std::move(where)) {
    std::istringstream words(rest);
    words >> identifier_;
    for (std::string word; words >> word;) {
      std::size_t equals = word.find('=');
      if (equals == std::string::npos || equals == 0) Fail("\"" + word + "\" is not key=value");
      values_[word.substr(0, equals)] = word.substr(equals + 1);
    }
  }

  const std::string& Identifier() const { return identifier_; }

  std::optional<double> Number(const std::string& key) {
    auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    std::string text = found->second;
    values_.erase(found);
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') Fail(key + "=" + text + " is not a number");
    return value;
  }
  double Number(const std::string& key, double fallback) { return Number(key).value_or(fallback); }
  double Positive(const std::string& key, double fallback) {
    double value = Number(key, fallback);
    if (!(value > 0)) Fail(key + " must be above zero");
    return value;
  }
  std::string Text(const std::string& key) {
    auto found = values_.find(key);
    if (found == values_.end()) return {};
    std::string text = found->second;
    values_.erase(found);
    return text;
  }
  std::string RequiredText(const std::string& key) {
    std::string text = Text(key);
    if (text.empty()) Fail("it needs " + key + "=");
    return text;
  }
  /// Every key must have been taken: a key nobody reads is a typing error worth reporting.
  void Finish() const {
    if (identifier_.empty()) Fail("it names nothing");
    if (!values_.empty()) Fail("unknown key " + values_.begin()->first);
  }
  std::pair<std::string, std::string> Ends() const {
    std::size_t comma = identifier_.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 == identifier_.size()) {
      Fail("a branch is named FROM,TO");
    }
    return {identifier_.substr(0, comma), identifier_.substr(comma + 1)};
  }
  [[noreturn]] void Fail(const std::string& why) const { throw AnalysisError(where_ + ": " + why); }

 private:
  std::string where_;
  std::string identifier_;
  std::map<std::string, std::string> values_;
};

BusData ReadBus(Record& r) {
  BusData bus{r.Identifier(), r.Number("kV"), r.Number("RatedKA")};
  if (bus.nominalKv && !(*bus.nominalKv > 0)) r.Fail("kV must be above zero");
  return bus;
}

UtilityData ReadUtility(Record& r) {
  UtilityData utility{r.Identifier(), r.Positive("Vpu", 1.0), r.Number("MVAsc"), r.Positive("XR", 10.0)};
  if (utility.shortCircuitMva && !(*utility.shortCircuitMva > 0)) r.Fail("MVAsc must be above zero");
  return utility;
}

GeneratorData ReadGenerator(Record& r) {
  GeneratorData g;
  g.id = r.Identifier();
  g.bus = r.RequiredText("Bus");
  g.activeKw = r.Number("kW", 0);
  g.voltagePu = r.Positive("Vpu", 1.0);
  g.reactiveMinKvar = r.Number("kvarMin", -1e12);
  g.reactiveMaxKvar = r.Number("kvarMax", 1e12);
  if (g.reactiveMinKvar > g.reactiveMaxKvar) r.Fail("kvarMin is above kvarMax");
  g.ratedKva = r.Number("kVA");
  g.subtransientXPu = r.Positive("Xdpp", 0.15);
  return g;
}

// A load is given as kW and kvar, or as kVA and power factor (lagging).
LoadData ReadLoad(Record& r) {
  LoadData load{r.Identifier(), r.RequiredText("Bus"), 0, 0};
  auto kva = r.Number("kVA");
  auto pf = r.Number("PF");
  auto kw = r.Number("kW");
  auto kvar = r.Number("kvar");
  if (kva) {
    if (kw || kvar) r.Fail("give kW and kvar, or kVA and PF, not both");
    double powerFactor = pf.value_or(1.0);
    if (!(powerFactor > 0 && powerFactor <= 1)) r.Fail("PF must be above 0 and at most 1");
    load.activeKw = *kva * powerFactor;
    load.reactiveKvar = *kva * std::sqrt(1 - powerFactor * powerFactor);
  } else {
    if (pf) r.Fail("PF goes with kVA");
    load.activeKw = kw.value_or(0);
    load.reactiveKvar = kvar.value_or(0);
  }
  return load;
}

MotorData ReadMotor(Record& r) {
  MotorData m;
  m.id = r.Identifier();
  m.bus = r.RequiredText("Bus");
  m.outputKw = r.Positive("kW", 0);
  m.powerFactor = r.Positive("PF", 0.85);
  m.efficiency = r.Positive("Eff", 0.92);
  m.lockedRotorCurrentMultiple = r.Positive("LRC", 6.0);
  m.lockedRotorPowerFactor = r.Positive("LRPF", 0.3);
  if (m.powerFactor > 1 || m.efficiency > 1 || m.lockedRotorPowerFactor > 1) {
    r.Fail("PF, Eff and LRPF are at most 1");
  }
  return m;
}

ShuntData ReadShunt(Record& r) {
  return {r.Identifier(), r.Number("kW", 0), r.Number("kvar", 0)};
}

BranchData ReadBranch(Record& r, BranchKind kind, int lineNumber) {
  BranchData b;
  b.kind = kind;
  std::tie(b.from, b.to) = r.Ends();
  b.lineNumber = lineNumber;
  b.ratedA = r.Number("RatedA");
  switch (kind) {
    case BranchKind::Cable:
      b.cableType = r.Text("Type");
      b.parallel = static_cast<int>(r.Positive("Parallel", 1));
      b.resistanceOhmPerKm = r.Number("ROhmPerKm");
      b.reactanceOhmPerKm = r.Number("XOhmPerKm");
      b.susceptanceMicroSPerKm = r.Number("BMicroSPerKm");
      if (b.cableType.empty() && !b.resistanceOhmPerKm) r.Fail("a cable needs Type= or ROhmPerKm=");
      break;
    case BranchKind::Line:
      b.resistanceOhm = r.Number("ROhm");
      b.reactanceOhm = r.Number("XOhm");
      b.susceptanceMicroS = r.Number("BMicroS");
      b.resistancePu = r.Number("Rpu");
      b.reactancePu = r.Number("Xpu");
      b.susceptancePu = r.Number("Bpu");
      if (!b.reactanceOhm && !b.reactancePu && !b.resistanceOhm && !b.resistancePu) {
        r.Fail("a line needs ROhm/XOhm or Rpu/Xpu");
      }
      break;
    case BranchKind::Transformer:
      b.ratedKva = r.Number("kVA");
      b.impedancePercent = r.Number("Zpct");
      b.xOverR = r.Positive("XR", 8.0);
      b.resistancePu = r.Number("Rpu");
      b.reactancePu = r.Number("Xpu");
      b.tapPu = r.Positive("Tap", 1.0);
      if (!(b.ratedKva && b.impedancePercent) && !b.reactancePu) {
        r.Fail("a transformer needs kVA= and Zpct=, or Xpu=");
      }
      break;
  }
  return b;
}

std::optional<BranchLengthData> ReadLength(const std::string& value) {
  std::vector<std::string> fields;
  std::stringstream parts(value);
  for (std::string field; std::getline(parts, field, ',');) fields.push_back(field);
  if (fields.size() != 4) return std::nullopt;
  char* end = nullptr;
  double length = std::strtod(fields[2].c_str(), &end);
  if (fields[2].empty() || *end != '\0') return std::nullopt;
  return BranchLengthData{fields[0], fields[1], length, fields[3]};
}

std::string Trim(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t\r");
  std::size_t end = text.find_last_not_of(" \t\r");
  return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

std::string TypeOfExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".mas") return "3P";
  if (extension == ".mds") return "DC";
  if (extension == ".mss" || extension == ".mps") return "1X";
  return {};
}

int ReadVersion(const std::string& firstLine, const std::string& name) {
  const std::string header = "EDSA-MASTER ";
  if (firstLine.rfind(header, 0) != 0) throw AnalysisError(name + " is not an EDSA master file (no \"EDSA-MASTER\" first line)");
  int version = std::atoi(firstLine.c_str() + header.size());
  if (version < 1) throw AnalysisError(name + ": unreadable master-file version");
  if (version > kNewestVersion) {
    throw AnalysisError(name + ": master-file version " + std::to_string(version) +
                        " is newer than this program reads (" + std::to_string(kNewestVersion) + ")");
  }
  return version;
}

}  // namespace

double BranchLengthData::Km() const {
  if (unitCode == "MT") return length / 1000.0;
  if (unitCode == "KM") return length;
  if (unitCode == "FT") return length * 0.3048 / 1000.0;
  throw AnalysisError("branch " + from + "->" + to + ": unknown length unit " + unitCode);
}

std::optional<double> MasterData::BranchLengthKm(const std::string& from, const std::string& to) const {
  for (const auto& length : lengths) {
    if (length.from == from && length.to == to) return length.Km();
  }
  return std::nullopt;
}

MasterData ParseMasterText(const std::string& text, const std::string& path) {
  MasterData data;
  data.path = path;
  const std::string name = std::filesystem::path(path).filename().string();
  std::istringstream lines(text);
  std::string line;
  std::getline(lines, line);
  if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
  data.version = ReadVersion(Trim(line), name);

  using Reader = std::function<void(Record&, int)>;
  const std::map<std::string, Reader> readers = {
      {"Bus", [&](Record& r, int) { data.buses.push_back(ReadBus(r)); }},
      {"Utility", [&](Record& r, int) { data.utilities.push_back(ReadUtility(r)); }},
      {"Source", [&](Record& r, int) { data.utilities.push_back(ReadUtility(r)); }},
      {"Generator", [&](Record& r, int) { data.generators.push_back(ReadGenerator(r)); }},
      {"Load", [&](Record& r, int) { data.loads.push_back(ReadLoad(r)); }},
      {"Motor", [&](Record& r, int) { data.motors.push_back(ReadMotor(r)); }},
      {"Shunt", [&](Record& r, int) { data.shunts.push_back(ReadShunt(r)); }},
      {"Cable", [&](Record& r, int n) { data.branches.push_back(ReadBranch(r, BranchKind::Cable, n)); }},
      {"Line", [&](Record& r, int n) { data.branches.push_back(ReadBranch(r, BranchKind::Line, n)); }},
      {"Transformer",
       [&](Record& r, int n) { data.branches.push_back(ReadBranch(r, BranchKind::Transformer, n)); }},
      {"BaseMVA", [&](Record& r, int) { data.baseMva = r.Positive("value", 0); }},
      {"FrequencyHz", [&](Record& r, int) { data.frequencyHz = r.Positive("value", 0); }},
      {"StartMotor", [&](Record& r, int) { data.startMotor = r.Identifier(); }},
  };

  for (int number = 2; std::getline(lines, line); ++number) {
    line = Trim(line);
    std::size_t equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
    std::string kind = line.substr(0, equals);
    std::string rest = line.substr(equals + 1);
    const std::string where = name + " line " + std::to_string(number);
    if (kind == "NetworkType") {
      data.networkType = Trim(rest);
    } else if (kind == "Node") {
      data.nodeIds.push_back(Trim(rest));
    } else if (kind == "Branch") {
      Record r(where, rest);
      data.branchEntries.push_back(r.Ends());
    } else if (kind == "BranchLength") {
      auto length = ReadLength(Trim(rest));
      if (!length) throw AnalysisError(where + ": a branch length is FROM,TO,LENGTH,UNIT");
      data.lengths.push_back(*length);
    } else if (auto reader = readers.find(kind); reader != readers.end()) {
      // Single values ("BaseMVA=10") read as a record whose identifier is the value.
      bool single = kind == "BaseMVA" || kind == "FrequencyHz";
      Record record(where, single ? "x value=" + Trim(rest) : rest);
      reader->second(record, number);
      record.Finish();
    }
    // Other lines are EDSA's own or newer entries: kept by the services, not needed here.
  }
  if (data.networkType.empty()) data.networkType = TypeOfExtension(path);
  return data;
}

MasterData ReadMasterFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw AnalysisError("cannot read the master file " + path);
  std::stringstream text;
  text << in.rdbuf();
  return ParseMasterText(text.str(), path);
}

}  // namespace voltaria::analysis
