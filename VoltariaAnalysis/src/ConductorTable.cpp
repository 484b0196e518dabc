#include "ConductorTable.h"

#include <cmath>

namespace voltaria::analysis {

namespace {

constexpr double kOhmPerKftToOhmPerKm = 1.0 / 0.3048;

Conductor Make(const char* size, double areaMm2, double ampacityA, double rOhmPerKft, double xOhmPerKft) {
  return {size, areaMm2, ampacityA, rOhmPerKft * kOhmPerKftToOhmPerKm, xOhmPerKft * kOhmPerKftToOhmPerKm};
}

}  // namespace

// Values per 1000 ft as usually tabulated, converted once to per km.
const std::vector<Conductor>& CopperConductors() {
  static const std::vector<Conductor> table = {
      Make("14AWG", 2.08, 20, 3.10, 0.058),    Make("12AWG", 3.31, 25, 2.00, 0.054),
      Make("10AWG", 5.26, 35, 1.20, 0.050),    Make("8AWG", 8.37, 50, 0.78, 0.052),
      Make("6AWG", 13.3, 65, 0.49, 0.051),     Make("4AWG", 21.2, 85, 0.31, 0.048),
      Make("3AWG", 26.7, 100, 0.25, 0.047),    Make("2AWG", 33.6, 115, 0.19, 0.045),
      Make("1AWG", 42.4, 130, 0.15, 0.046),    Make("1/0", 53.5, 150, 0.12, 0.044),
      Make("2/0", 67.4, 175, 0.10, 0.043),     Make("3/0", 85.0, 200, 0.077, 0.042),
      Make("4/0", 107.2, 230, 0.062, 0.041),   Make("250kcmil", 126.7, 255, 0.052, 0.041),
      Make("300kcmil", 152.0, 285, 0.044, 0.041), Make("350kcmil", 177.3, 310, 0.038, 0.040),
      Make("400kcmil", 202.7, 335, 0.033, 0.040), Make("500kcmil", 253.4, 380, 0.027, 0.039),
      Make("600kcmil", 304.0, 420, 0.023, 0.039), Make("750kcmil", 380.0, 475, 0.019, 0.038),
      Make("1000kcmil", 506.7, 545, 0.015, 0.037),
  };
  return table;
}

std::optional<Conductor> FindConductor(const std::string& size) {
  for (const auto& conductor : CopperConductors()) {
    if (conductor.size == size || conductor.size == size + "AWG") return conductor;
  }
  return std::nullopt;
}

double AmbientCorrection(double ambientC) {
  if (ambientC >= kTableConductorC) return 0;
  return std::sqrt((kTableConductorC - ambientC) / (kTableConductorC - kTableAmbientC));
}

}  // namespace voltaria::analysis
