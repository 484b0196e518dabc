#pragma once
// Motor starting: the voltage at every bus before and while one motor starts. Two load flows: the
// motor stopped, then the motor as its locked-rotor impedance. Each utility is modelled as its
// set voltage behind its short-circuit impedance (Z = Un^2 / S''k), so the supply sags too; a
// utility without short-circuit power is taken as an infinite bus. Generators hold their voltage
// within their reactive limits (no transient behaviour).

#include <string>
#include <vector>

#include "LoadFlow.h"
#include "Network.h"

namespace voltaria::analysis {

struct MotorStartingResult {
  Motor motor;
  bool largestChosen = false;  ///< no motor was named, so the largest starts
  std::vector<std::string> infiniteBuses;  ///< utilities without short-circuit power
  std::vector<double> voltageBeforePu;
  std::vector<double> voltageDuringPu;
  std::vector<double> dipPercent;
  double startingCurrentA = 0;
  double startingKva = 0;
};

/// Starts `motorId`, or the largest motor when it is empty.
MotorStartingResult ComputeMotorStarting(const Network& network, const std::string& motorId);

}  // namespace voltaria::analysis
