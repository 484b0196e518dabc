#pragma once
// The EDSA master file as the analyses read it (format: samples/README.md). Versions 1 and 2 are
// read alike; version 1 files simply hold no analysis data. Every quantity keeps the unit the file
// gives it, which its name states; per-unit conversion happens in PerUnitSystem only.

#include <optional>
#include <string>
#include <vector>

namespace voltaria::analysis {

struct BusData {
  std::string id;
  std::optional<double> nominalKv;        ///< line-to-line (AC) or pole-to-pole (DC)
  std::optional<double> ratedShortCircuitKa;
};

/// The utility supply (or, in a DC network, an ideal source): the slack of its network part.
struct UtilityData {
  std::string bus;
  double voltagePu = 1.0;
  std::optional<double> shortCircuitMva;  ///< three-phase short-circuit power at the bus
  double xOverR = 10.0;
};

struct GeneratorData {
  std::string id;
  std::string bus;
  double activeKw = 0;
  double voltagePu = 1.0;
  double reactiveMinKvar = -1e12;
  double reactiveMaxKvar = 1e12;
  std::optional<double> ratedKva;
  double subtransientXPu = 0.15;  ///< on the generator's own rating
};

struct LoadData {
  std::string id;
  std::string bus;
  double activeKw = 0;
  double reactiveKvar = 0;
};

struct MotorData {
  std::string id;
  std::string bus;
  double outputKw = 0;
  double powerFactor = 0.85;
  double efficiency = 0.92;
  double lockedRotorCurrentMultiple = 6.0;  ///< locked-rotor current / full-load current
  double lockedRotorPowerFactor = 0.3;
  double InputKva() const { return outputKw / (efficiency * powerFactor); }
};

struct ShuntData {
  std::string bus;
  double activeKw = 0;          ///< consumed at rated voltage
  double reactiveKvar = 0;      ///< produced at rated voltage (capacitor positive)
};

enum class BranchKind { Cable, Line, Transformer };

struct BranchData {
  BranchKind kind = BranchKind::Cable;
  std::string from;
  std::string to;
  int lineNumber = 0;
  // Cable: per length, per conductor, times the branch length, divided among parallel cables.
  std::string cableType;
  int parallel = 1;
  std::optional<double> resistanceOhmPerKm, reactanceOhmPerKm, susceptanceMicroSPerKm;
  // Line: totals in ohms and microsiemens, or per unit on the system base.
  std::optional<double> resistanceOhm, reactanceOhm, susceptanceMicroS;
  std::optional<double> resistancePu, reactancePu, susceptancePu;
  // Transformer: rating and impedance on its own base, tap on the from side.
  std::optional<double> ratedKva, impedancePercent;
  double xOverR = 8.0;
  double tapPu = 1.0;
  std::optional<double> ratedA;  ///< overrides the rating a cable type gives
  std::string Name() const { return from + "->" + to; }
};

struct BranchLengthData {
  std::string from, to;
  double length = 0;
  std::string unitCode;  ///< "MT", "FT" or "KM"
  double Km() const;
};

struct MasterData {
  std::string path;
  int version = 1;
  std::string networkType;  ///< "3P", "DC" or "1X"
  double baseMva = 100.0;
  double frequencyHz = 60.0;
  std::vector<std::string> nodeIds;  ///< Node= entries the services made
  std::vector<BusData> buses;
  std::vector<UtilityData> utilities;
  std::vector<GeneratorData> generators;
  std::vector<LoadData> loads;
  std::vector<MotorData> motors;
  std::vector<ShuntData> shunts;
  std::vector<BranchData> branches;
  std::vector<std::pair<std::string, std::string>> branchEntries;  ///< Branch= entries
  std::vector<BranchLengthData> lengths;
  std::string startMotor;

  /// The recorded length of a branch in kilometres, if any.
  std::optional<double> BranchLengthKm(const std::string& from, const std::string& to) const;
};

/// Reads a master file; a missing or malformed file is an AnalysisError naming file and line.
MasterData ReadMasterFile(const std::string& path);
/// Reads master-file text (the path only names it in messages and gives the type's extension).
MasterData ParseMasterText(const std::string& text, const std::string& path);

}  // namespace voltaria::analysis
