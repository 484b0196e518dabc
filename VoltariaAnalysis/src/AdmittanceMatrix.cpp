#include "AdmittanceMatrix.h"

namespace voltaria::analysis {

BranchAdmittance BranchAdmittanceOf(const Branch& branch, bool withCharging) {
  Complex series = 1.0 / branch.seriesImpedancePu;
  Complex halfCharging(0, withCharging ? branch.chargingSusceptancePu / 2 : 0);
  double tap = branch.tapPu;
  return {(series + halfCharging) / (tap * tap), -series / tap, -series / tap, series + halfCharging};
}

SparseComplexMatrix BuildAdmittanceMatrix(const Network& network, const AdmittanceOptions& options) {
  const int n = network.BusCount();
  std::vector<Eigen::Triplet<Complex>> terms;
  terms.reserve(n + 4 * network.branches.size());
  for (int i = 0; i < n; ++i) {
    Complex ground;
    if (options.busShunts) ground += network.shuntAdmittancePu[i];
    if (!options.extraShuntPu.empty()) ground += options.extraShuntPu[i];
    terms.emplace_back(i, i, ground);  // every bus keeps its diagonal term, even a zero one
  }
  for (const auto& branch : network.branches) {
    BranchAdmittance y = BranchAdmittanceOf(branch, options.lineCharging);
    terms.emplace_back(branch.from, branch.from, y.fromFrom);
    terms.emplace_back(branch.from, branch.to, y.fromTo);
    terms.emplace_back(branch.to, branch.from, y.toFrom);
    terms.emplace_back(branch.to, branch.to, y.toTo);
  }
  SparseComplexMatrix admittance(n, n);
  admittance.setFromTriplets(terms.begin(), terms.end());
  return admittance;
}

}  // namespace voltaria::analysis
