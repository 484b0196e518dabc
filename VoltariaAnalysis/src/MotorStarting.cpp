#include "MotorStarting.h"

#include <algorithm>
#include <cmath>

#include "AnalysisError.h"

namespace voltaria::analysis {

namespace {

const Motor& ChooseMotor(const Network& network, const std::string& motorId) {
  if (network.motors.empty()) throw AnalysisError("the network has no motor to start (Motor=)");
  if (motorId.empty()) {
    return *std::max_element(network.motors.begin(), network.motors.end(),
                             [](const Motor& a, const Motor& b) { return a.outputKw < b.outputKw; });
  }
  for (const auto& motor : network.motors) {
    if (motor.id == motorId) return motor;
  }
  throw AnalysisError("the motor to start, " + motorId + ", is not in the master file");
}

// Each utility becomes a source bus behind its impedance, joined to the utility's own bus.
Network WithSourcesBehindImpedance(const Network& network, std::vector<std::string>* infiniteBuses) {
  Network thevenin = network;
  thevenin.sources.clear();
  for (const auto& source : network.sources) {
    const Bus& bus = network.buses[source.bus];
    if (!source.shortCircuitPu) {
      infiniteBuses->push_back(bus.id);
      thevenin.sources.push_back(source);
      continue;
    }
    Bus internal{bus.id + "~source", bus.baseKv, std::nullopt, BusType::Slack, source.voltagePu};
    int internalIndex = thevenin.AddBus(internal);
    thevenin.buses[source.bus].type = BusType::PQ;
    for (const auto& generator : network.generators) {
      if (generator.bus == source.bus) thevenin.buses[source.bus].type = BusType::PV;
    }
    thevenin.loadPu.push_back({});
    thevenin.shuntAdmittancePu.push_back({});
    double magnitudePu = 1.0 / *source.shortCircuitPu;
    double reactancePu = magnitudePu / std::sqrt(1 + 1 / (source.xOverR * source.xOverR));
    Branch link;
    link.name = internal.id + "->" + bus.id;
    link.from = internalIndex;
    link.to = source.bus;
    link.seriesImpedancePu = Complex(reactancePu / source.xOverR, reactancePu);
    thevenin.branches.push_back(link);
    thevenin.sources.push_back({internalIndex, source.voltagePu, source.shortCircuitPu, source.xOverR});
  }
  return thevenin;
}

}  // namespace

MotorStartingResult ComputeMotorStarting(const Network& network, const std::string& motorId) {
  if (network.PerUnit().IsDirectCurrent()) throw AnalysisError("motor starting needs an AC network");
  MotorStartingResult result;
  result.motor = ChooseMotor(network, motorId);
  result.largestChosen = motorId.empty();
  Network thevenin = WithSourcesBehindImpedance(network, &result.infiniteBuses);

  std::vector<Complex> demand = thevenin.DemandPu(result.motor.id);
  LoadFlowSolution before = SolveLoadFlow(thevenin, demand);
  AdmittanceOptions starting;
  starting.extraShuntPu.assign(thevenin.BusCount(), Complex());
  starting.extraShuntPu[result.motor.bus] = result.motor.LockedRotorAdmittancePu();
  LoadFlowSolution during = SolveLoadFlow(thevenin, demand, starting);

  for (int i = 0; i < network.BusCount(); ++i) {
    double beforePu = std::abs(before.voltagePu[i]);
    double duringPu = std::abs(during.voltagePu[i]);
    result.voltageBeforePu.push_back(beforePu);
    result.voltageDuringPu.push_back(duringPu);
    result.dipPercent.push_back(100.0 * (beforePu - duringPu) / beforePu);
  }
  const Bus& motorBus = network.buses[result.motor.bus];
  double terminalPu = result.voltageDuringPu[result.motor.bus];
  double currentPu = std::abs(result.motor.LockedRotorAdmittancePu()) * terminalPu;
  result.startingCurrentA = network.PerUnit().CurrentA(currentPu, motorBus.baseKv);
  result.startingKva = network.PerUnit().PowerKw(currentPu * terminalPu);
  return result;
}

}  // namespace voltaria::analysis
