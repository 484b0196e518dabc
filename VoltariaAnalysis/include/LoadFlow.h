#pragma once
// AC load flow by Newton-Raphson in polar form on a sparse Jacobian (also used for DC networks,
// which have no reactance and no reactive power, so their angles stay zero).
//
// Textbook steps, each a small function: build the admittance matrix once, then repeat
// mismatch -> Jacobian -> solve -> update until the largest mismatch is below the tolerance.
// Generator buses hold their voltage while their reactive power stays within its limits; a bus
// whose generators reach a limit is held at that limit as a load bus and the flow is solved again.

#include <string>
#include <vector>

#include "AdmittanceMatrix.h"
#include "Network.h"

namespace voltaria::analysis {

struct LoadFlowOptions {
  double tolerancePu = 1e-9;
  int maxIterations = 30;
  bool enforceReactiveLimits = true;
};

struct LoadFlowSolution {
  std::vector<Complex> voltagePu;
  std::vector<Complex> generationPu;  ///< per bus: what its sources and generators supply
  std::vector<std::string> busesAtReactiveLimit;
  int iterations = 0;                 ///< Newton iterations, all reactive-limit passes together
  double largestMismatchPu = 0;
};

/// Solves the network with `demandPu` consumed at each bus (loads and running motors) and the
/// extra admittances of `options` (bus shunts and charging are included). Refuses (AnalysisError)
/// a flow that does not converge.
LoadFlowSolution SolveLoadFlow(const Network& network, const std::vector<Complex>& demandPu,
                               const AdmittanceOptions& admittance = {}, const LoadFlowOptions& options = {});

struct BranchFlow {
  Complex fromPowerPu, toPowerPu;  ///< into the branch at each end
  double fromCurrentPu = 0, toCurrentPu = 0;
  Complex LossPu() const { return fromPowerPu + toPowerPu; }
  double loading = -1;  ///< larger end current over the rating; negative when there is no rating
};

std::vector<BranchFlow> ComputeBranchFlows(const Network& network, const std::vector<Complex>& voltagePu);

}  // namespace voltaria::analysis
