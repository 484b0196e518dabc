#pragma once
// Three-phase short circuit at every bus by the equivalent voltage source method: a source of
// c * Un / sqrt(3) at the fault behind the network's Thevenin impedance, with utility, generator and
// motor contributions as impedances, loads, shunts and line charging neglected.
//   c        1.05 at or below 1 kV, 1.10 above (maximum currents)
//   utility  Z = c * Un^2 / S''k at the given X/R
//   generator  X''d on its rating, R = 0.15 X''d at or below 1 kV, 0.07 X''d above
//   motor    Z = 1 / (ILR/Ir) on its input rating; R/X 0.42 at or below 1 kV, else 0.15
//            (0.10 from 1 MW)
//   peak     ip = kappa * sqrt(2) * I''k, kappa = 1.02 + 0.98 exp(-3 R/X) with R/X of the
//            Thevenin impedance at the fault
// The Thevenin impedance of every bus is the diagonal of the inverse admittance matrix, from one
// sparse L D L^T factorization (SymmetricFactor).

#include <optional>
#include <vector>

#include "Network.h"

namespace voltaria::analysis {

struct BusFault {
  double voltageFactor = 1.0;
  Complex theveninPu;
  double initialCurrentKa = 0;  ///< I''k
  double peakCurrentKa = 0;     ///< ip
  double xOverR = 0;
  std::optional<double> dutyPercent;  ///< I''k over the bus's rated short-circuit current
};

/// The voltage factor c for a nominal voltage.
double VoltageFactor(double nominalKv);

/// Admittances to ground of the sources and motors, per bus, as the short circuit sees them.
std::vector<Complex> ShortCircuitSourceAdmittancesPu(const Network& network);

std::vector<BusFault> ComputeShortCircuit(const Network& network);

}  // namespace voltaria::analysis
