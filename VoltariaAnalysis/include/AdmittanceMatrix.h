#pragma once
// The bus admittance matrix, built once per network state from the branches' pi models.

#include <Eigen/SparseCore>

#include "Network.h"

namespace voltaria::analysis {

using SparseComplexMatrix = Eigen::SparseMatrix<Complex>;

/// The four terms of one branch's pi model, with its off-nominal tap on the from side.
struct BranchAdmittance {
  Complex fromFrom, fromTo, toFrom, toTo;
};
BranchAdmittance BranchAdmittanceOf(const Branch& branch, bool withCharging = true);

struct AdmittanceOptions {
  bool lineCharging = true;
  bool busShunts = true;
  /// Admittances to ground added per bus (sources behind their impedance, locked rotors).
  std::vector<Complex> extraShuntPu;
};

SparseComplexMatrix BuildAdmittanceMatrix(const Network& network, const AdmittanceOptions& options = {});

}  // namespace voltaria::analysis
