#pragma once
// The network an analysis solves: buses, branches and what is connected at the buses, all per unit
// on the system base (PerUnitSystem). Built once from the master data, with the checks that refuse
// a network no analysis can solve.

#include <complex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "MasterData.h"
#include "PerUnitSystem.h"

namespace voltaria::analysis {

using Complex = std::complex<double>;

enum class BusType { Slack, PV, PQ };

struct Bus {
  std::string id;
  double baseKv = 0;
  std::optional<double> ratedShortCircuitKa;
  BusType type = BusType::PQ;
  double voltageSetPu = 1.0;  ///< slack and PV buses
};

struct Branch {
  std::string name;  ///< "FROM->TO"
  BranchKind kind = BranchKind::Cable;
  int from = 0;
  int to = 0;
  Complex seriesImpedancePu;
  double chargingSusceptancePu = 0;  ///< total, half at each end
  double tapPu = 1.0;                ///< off-nominal ratio on the from side
  double ratingPu = 0;               ///< current rating per unit, 0 when none is known
};

struct Source {
  int bus = 0;
  double voltagePu = 1.0;
  std::optional<double> shortCircuitPu;  ///< short-circuit power per unit
  double xOverR = 10.0;
};

struct Generator {
  std::string id;
  int bus = 0;
  double activePu = 0;
  double reactiveMinPu = 0;
  double reactiveMaxPu = 0;
  double ratingPu = 0;            ///< 0 when not given
  double subtransientXPu = 0.15;  ///< on its own rating
};

struct Motor {
  std::string id;
  int bus = 0;
  double outputKw = 0;
  double ratingPu = 0;  ///< input apparent power at full load
  double powerFactor = 0.85;
  double lockedRotorCurrentMultiple = 6.0;
  double lockedRotorPowerFactor = 0.3;
  Complex RunningPowerPu() const;
  /// The locked-rotor impedance as an admittance to ground, per unit.
  Complex LockedRotorAdmittancePu() const;
};

class Network {
 public:
  explicit Network(const PerUnitSystem& perUnit) : perUnit_(perUnit) {}

  const PerUnitSystem& PerUnit() const { return perUnit_; }
  std::vector<Bus> buses;
  std::vector<Branch> branches;
  std::vector<Source> sources;
  std::vector<Generator> generators;
  std::vector<Motor> motors;
  std::vector<Complex> loadPu;         ///< per bus: constant-power loads (motors excluded)
  std::vector<Complex> shuntAdmittancePu;  ///< per bus: G + jB

  int BusCount() const { return static_cast<int>(buses.size()); }
  std::optional<int> FindBus(const std::string& id) const;
  int AddBus(Bus bus);

  /// Power consumed at each bus by loads and running motors.
  std::vector<Complex> DemandPu(const std::string& exceptMotor = {}) const;

 private:
  PerUnitSystem perUnit_;
  std::unordered_map<std::string, int> index_;
};

/// Builds the network of the master data; refuses (AnalysisError) unknown cable types, branches
/// without data or length, buses without voltage, an isolated bus and a network part without a
/// source.
Network BuildNetwork(const MasterData& data);

}  // namespace voltaria::analysis
