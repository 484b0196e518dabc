#pragma once
// Sparse L D L^T factorization of a complex symmetric (not Hermitian) matrix such as a bus
// admittance matrix, in a fill-reducing order, without pivoting: admittance matrices with their
// sources to ground are diagonally dominant enough for it. It gives the diagonal of the inverse
// cheaply: for bus k, x = L^-1 e_k has its nonzeros only on the elimination-tree path from k to
// the root, and Z_kk = sum over that path of x_j^2 / D_j.

#include <Eigen/SparseCore>
#include <complex>
#include <vector>

namespace voltaria::analysis {

class SymmetricFactor {
 public:
  using Complex = std::complex<double>;

  /// Factors `matrix`; false when a pivot vanishes (a part of the network without any path to
  /// ground).
  bool Factor(const Eigen::SparseMatrix<Complex>& matrix);

  /// The diagonal of the inverse, in the matrix's own order.
  std::vector<Complex> InverseDiagonal() const;

 private:
  int size_ = 0;
  Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> permutation_;  // bus b is row indices()[b] of the factor
  std::vector<int> parent_;       // elimination tree
  std::vector<int> columnStart_;  // L by columns, below the diagonal
  std::vector<int> rows_;
  std::vector<Complex> values_;
  std::vector<Complex> diagonal_;
};

}  // namespace voltaria::analysis
