#include "ShortCircuit.h"

#include <cmath>

#include "AdmittanceMatrix.h"
#include "AnalysisError.h"
#include "SymmetricFactor.h"

namespace voltaria::analysis {

namespace {

constexpr double kLowVoltageLimitKv = 1.0;

Complex ImpedanceOf(double magnitudePu, double rOverX) {
  double reactance = magnitudePu / std::sqrt(1 + rOverX * rOverX);
  return {rOverX * reactance, reactance};
}

Complex UtilityImpedancePu(const Network& network, const Source& source) {
  const Bus& bus = network.buses[source.bus];
  if (!source.shortCircuitPu) {
    throw AnalysisError("the utility at bus " + bus.id + " has no short-circuit power (MVAsc=)");
  }
  return ImpedanceOf(VoltageFactor(bus.baseKv) / *source.shortCircuitPu, 1.0 / source.xOverR);
}

Complex GeneratorImpedancePu(const Network& network, const Generator& generator) {
  if (!(generator.ratingPu > 0)) throw AnalysisError("generator " + generator.id + " has no rating (kVA=) for the short circuit");
  double reactancePu = generator.subtransientXPu / generator.ratingPu;
  double rOverX = network.buses[generator.bus].baseKv <= kLowVoltageLimitKv ? 0.15 : 0.07;
  return {rOverX * reactancePu, reactancePu};
}

Complex MotorImpedancePu(const Network& network, const Motor& motor) {
  double magnitudePu = 1.0 / (motor.lockedRotorCurrentMultiple * motor.ratingPu);
  double rOverX = network.buses[motor.bus].baseKv <= kLowVoltageLimitKv ? 0.42 : motor.outputKw >= 1000 ? 0.10 : 0.15;
  return ImpedanceOf(magnitudePu, rOverX);
}

}  // namespace

double VoltageFactor(double nominalKv) { return nominalKv <= kLowVoltageLimitKv ? 1.05 : 1.10; }

std::vector<Complex> ShortCircuitSourceAdmittancesPu(const Network& network) {
  std::vector<Complex> admittance(network.BusCount());
  for (const auto& source : network.sources) admittance[source.bus] += 1.0 / UtilityImpedancePu(network, source);
  for (const auto& generator : network.generators) admittance[generator.bus] += 1.0 / GeneratorImpedancePu(network, generator);
  for (const auto& motor : network.motors) admittance[motor.bus] += 1.0 / MotorImpedancePu(network, motor);
  return admittance;
}

std::vector<BusFault> ComputeShortCircuit(const Network& network) {
  if (network.PerUnit().IsDirectCurrent()) throw AnalysisError("the three-phase short circuit needs an AC network");
  AdmittanceOptions options;
  options.lineCharging = false;
  options.busShunts = false;
  options.extraShuntPu = ShortCircuitSourceAdmittancesPu(network);
  SymmetricFactor factor;
  if (!factor.Factor(BuildAdmittanceMatrix(network, options))) {
    throw AnalysisError("the short-circuit admittance matrix is singular: a network part has no source");
  }
  std::vector<Complex> thevenin = factor.InverseDiagonal();
  const int n = network.BusCount();
  std::vector<BusFault> faults(n);
  for (int k = 0; k < n; ++k) faults[k].theveninPu = thevenin[k];

  const PerUnitSystem& pu = network.PerUnit();
  for (int k = 0; k < n; ++k) {
    const Bus& bus = network.buses[k];
    BusFault& fault = faults[k];
    fault.voltageFactor = VoltageFactor(bus.baseKv);
    double currentPu = fault.voltageFactor / std::abs(fault.theveninPu);
    fault.initialCurrentKa = pu.CurrentKa(currentPu, bus.baseKv);
    double rOverX = fault.theveninPu.real() / fault.theveninPu.imag();
    fault.xOverR = 1.0 / rOverX;
    double kappa = 1.02 + 0.98 * std::exp(-3.0 * rOverX);
    fault.peakCurrentKa = kappa * std::sqrt(2.0) * fault.initialCurrentKa;
    if (bus.ratedShortCircuitKa) fault.dutyPercent = 100.0 * fault.initialCurrentKa / *bus.ratedShortCircuitKa;
  }
  return faults;
}

}  // namespace voltaria::analysis
