#pragma once
// Our table of copper conductors (documented with its assumptions in samples/README.md): ampacity
// at 75 degC insulation in an ambient of 30 degC, not more than three current-carrying conductors
// in a raceway or cable; AC resistance at 75 degC and reactance at 60 Hz of one conductor of a
// three-phase circuit in non-magnetic conduit.

#include <optional>
#include <string>
#include <vector>

namespace voltaria::analysis {

struct Conductor {
  std::string size;        ///< "14AWG" ... "4/0", "250kcmil" ...
  double areaMm2;
  double ampacityA;
  double resistanceOhmPerKm;
  double reactanceOhmPerKm;
};

/// Conductors from the smallest to the largest.
const std::vector<Conductor>& CopperConductors();
/// The conductor of a size name ("250kcmil", "4/0", "2AWG", "2"); nothing when unknown.
std::optional<Conductor> FindConductor(const std::string& size);

/// Insulation temperature and ambient the table's ampacities assume.
constexpr double kTableConductorC = 75.0;
constexpr double kTableAmbientC = 30.0;
/// Ampacity factor for another ambient: sqrt((Tc - Ta) / (Tc - 30)); 0 at or above Tc.
double AmbientCorrection(double ambientC);

}  // namespace voltaria::analysis
