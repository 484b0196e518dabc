#include "NetworkReports.h"

#include <cmath>

namespace voltaria::analysis {

namespace {

std::string VoltageText(const Network& network, int bus, double magnitudePu) {
  double kv = network.PerUnit().VoltageKv(magnitudePu, network.buses[bus].baseKv);
  return kv < 1.0 ? Format("%.1f V", kv * 1000.0) : Format("%.2f kV", kv);
}

std::string PowerText(const Network& network, Complex powerPu) {
  const PerUnitSystem& pu = network.PerUnit();
  std::string text = Format("%.1f kW", pu.PowerKw(powerPu.real()));
  if (pu.IsDirectCurrent()) return text;
  return text + (powerPu.imag() < 0 ? " - j " : " + j ") + Format("%.1f kvar", std::abs(pu.PowerKw(powerPu.imag())));
}

std::vector<std::string> BusLines(const Network& network, int i, Complex demandPu, const LoadFlowSolution& solution) {
  double magnitudePu = std::abs(solution.voltagePu[i]);
  std::vector<std::string> lines{"Voltage = " + Format("%.4f", magnitudePu) + " pu (" + VoltageText(network, i, magnitudePu) + ")"};
  if (!network.PerUnit().IsDirectCurrent()) {
    lines.push_back("Angle = " + Format("%.2f", std::arg(solution.voltagePu[i]) * 180.0 / M_PI) + " deg");
  }
  if (std::abs(demandPu) > 0) lines.push_back("Load = " + PowerText(network, demandPu));
  if (network.buses[i].type != BusType::PQ) lines.push_back("Generation = " + PowerText(network, solution.generationPu[i]));
  return lines;
}

std::vector<std::string> BranchLines(const Network& network, const Branch& branch, const BranchFlow& flow) {
  const PerUnitSystem& pu = network.PerUnit();
  std::vector<std::string> lines{
      "Current = " + Format("%.1f A", pu.CurrentA(flow.fromCurrentPu, network.buses[branch.from].baseKv)),
      "Flow = " + PowerText(network, flow.fromPowerPu),
      "Losses = " + PowerText(network, flow.LossPu())};
  if (flow.loading >= 0) lines.push_back("Loading = " + Format("%.1f", 100.0 * flow.loading) + " %");
  return lines;
}

}  // namespace

ResultSet LoadFlowReport(const Network& network, const std::vector<Complex>& demandPu, const LoadFlowSolution& solution) {
  bool dc = network.PerUnit().IsDirectCurrent();
  ResultSet results(dc ? "DC load flow" : "AC load flow (three-phase)");
  results.AddComment("Newton-Raphson: " + std::to_string(solution.iterations) + " iterations, largest mismatch " +
                     Format("%.2e", solution.largestMismatchPu) + " pu on " + Format("%g", network.PerUnit().BaseMva()) +
                     " MVA");
  for (const auto& id : solution.busesAtReactiveLimit) results.AddComment("Generator bus " + id + " held at a reactive limit");
  for (int i = 0; i < network.BusCount(); ++i) {
    double deviationPercent = 100.0 * std::abs(std::abs(solution.voltagePu[i]) - 1.0);
    results.AddSection(network.buses[i].id, BusLines(network, i, demandPu[i], solution), ScaleColor(deviationPercent, 5.0, 10.0));
  }
  std::vector<BranchFlow> flows = ComputeBranchFlows(network, solution.voltagePu);
  for (std::size_t b = 0; b < flows.size(); ++b) {
    Rgb color = flows[b].loading < 0 ? Colors::kGrey : ScaleColor(100.0 * flows[b].loading, 80.0, 100.0);
    results.AddSection(network.branches[b].name, BranchLines(network, network.branches[b], flows[b]), color);
  }
  return results;
}

ResultSet ShortCircuitReport(const Network& network, const std::vector<BusFault>& faults) {
  ResultSet results("Three-phase short circuit (equivalent voltage source at the fault)");
  results.AddComment("Initial symmetrical current I''k, peak ip, X/R at the fault; motors, generators and the utility contribute");
  for (int i = 0; i < network.BusCount(); ++i) {
    const BusFault& fault = faults[i];
    std::vector<std::string> lines{"Fault current I''k = " + Format("%.2f kA", fault.initialCurrentKa),
                                   "Peak current ip = " + Format("%.2f kA", fault.peakCurrentKa),
                                   "X/R = " + Format("%.2f", fault.xOverR),
                                   "Voltage factor c = " + Format("%.2f", fault.voltageFactor)};
    Rgb color = Colors::kGrey;
    if (fault.dutyPercent) {
      lines.push_back("Duty = " + Format("%.1f", *fault.dutyPercent) + " % of " +
                      Format("%.1f kA", *network.buses[i].ratedShortCircuitKa));
      color = ScaleColor(*fault.dutyPercent, 80.0, 100.0);
    } else {
      lines.push_back("Duty: no rated short-circuit current given");
    }
    results.AddSection(network.buses[i].id, lines, color);
  }
  return results;
}

ResultSet MotorStartingReport(const Network& network, const MotorStartingResult& result) {
  const Bus& motorBus = network.buses[result.motor.bus];
  ResultSet results("Motor starting of " + result.motor.id + (result.largestChosen ? " (the largest motor)" : "") +
                    " at " + motorBus.id);
  results.AddComment("Locked-rotor start: " + Format("%.0f A", result.startingCurrentA) + ", " +
                     Format("%.0f kVA", result.startingKva) + " at " + Format("%.3f pu", result.voltageDuringPu[result.motor.bus]));
  for (const auto& id : result.infiniteBuses) results.AddComment("Utility at " + id + " taken as an infinite bus (no MVAsc)");
  for (int i = 0; i < network.BusCount(); ++i) {
    std::vector<std::string> lines;
    if (i == result.motor.bus) {
      lines.push_back("Starting motor " + result.motor.id + ": " + Format("%.0f A", result.startingCurrentA));
    }
    lines.push_back("Voltage before start = " + Format("%.4f pu", result.voltageBeforePu[i]));
    lines.push_back("Voltage while starting = " + Format("%.4f", result.voltageDuringPu[i]) + " pu (" +
                    VoltageText(network, i, result.voltageDuringPu[i]) + ")");
    lines.push_back("Voltage dip = " + Format("%.2f", result.dipPercent[i]) + " %");
    results.AddSection(network.buses[i].id, lines, ScaleColor(result.dipPercent[i], 10.0, 20.0));
  }
  return results;
}

}  // namespace voltaria::analysis
