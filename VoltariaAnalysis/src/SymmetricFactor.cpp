#include "SymmetricFactor.h"

#include <Eigen/OrderingMethods>

namespace voltaria::analysis {

bool SymmetricFactor::Factor(const Eigen::SparseMatrix<Complex>& matrix) {
  size_ = static_cast<int>(matrix.rows());
  Eigen::AMDOrdering<int> ordering;
  Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> factorToBus;
  ordering(matrix, factorToBus);
  permutation_ = factorToBus.inverse();
  Eigen::SparseMatrix<Complex> permuted;
  permuted = matrix.twistedBy(permutation_);
  permuted.makeCompressed();
  const int n = size_;
  const int* outer = permuted.outerIndexPtr();
  const int* inner = permuted.innerIndexPtr();
  const Complex* value = permuted.valuePtr();

  // Symbolic step: the elimination tree and the number of entries of each column of L.
  parent_.assign(n, -1);
  std::vector<int> flag(n), count(n, 0);
  for (int k = 0; k < n; ++k) {
    flag[k] = k;
    for (int p = outer[k]; p < outer[k + 1]; ++p) {
      for (int i = inner[p]; i < k && flag[i] != k; i = parent_[i]) {
        if (parent_[i] == -1) parent_[i] = k;
        ++count[i];
        flag[i] = k;
      }
    }
  }
  columnStart_.assign(n + 1, 0);
  for (int k = 0; k < n; ++k) columnStart_[k + 1] = columnStart_[k] + count[k];
  rows_.assign(columnStart_[n], 0);
  values_.assign(columnStart_[n], Complex());
  diagonal_.assign(n, Complex());

  // Numeric step, row by row of L (up-looking): row k comes from a sparse triangular solve.
  std::vector<Complex> work(n);
  std::vector<int> pattern(n), filled(n, 0);
  for (int k = 0; k < n; ++k) {
    int top = n;
    flag[k] = k;
    for (int p = outer[k]; p < outer[k + 1]; ++p) {
      int i = inner[p];
      if (i > k) continue;
      work[i] += value[p];
      int length = 0;
      for (; flag[i] != k; i = parent_[i]) {
        pattern[length++] = i;
        flag[i] = k;
      }
      while (length > 0) pattern[--top] = pattern[--length];
    }
    diagonal_[k] = work[k];
    work[k] = 0;
    for (; top < n; ++top) {
      int i = pattern[top];
      Complex y = work[i];
      work[i] = 0;
      int end = columnStart_[i] + filled[i];
      for (int p = columnStart_[i]; p < end; ++p) work[rows_[p]] -= values_[p] * y;
      Complex l = y / diagonal_[i];
      diagonal_[k] -= l * y;
      rows_[end] = k;
      values_[end] = l;
      ++filled[i];
    }
    if (std::abs(diagonal_[k]) == 0) return false;
  }
  return true;
}

std::vector<SymmetricFactor::Complex> SymmetricFactor::InverseDiagonal() const {
  std::vector<Complex> inverse(size_), x(size_);
  for (int k = 0; k < size_; ++k) {
    // x = L^-1 e_k, walking up the elimination tree: only its path holds nonzeros.
    x[k] = 1.0;
    Complex sum;
    for (int j = k; j != -1; j = parent_[j]) {
      for (int p = columnStart_[j]; p < columnStart_[j + 1]; ++p) x[rows_[p]] -= values_[p] * x[j];
      sum += x[j] * x[j] / diagonal_[j];
    }
    for (int j = k; j != -1; j = parent_[j]) x[j] = 0;
    inverse[k] = sum;
  }
  std::vector<Complex> byBus(size_);
  for (int bus = 0; bus < size_; ++bus) byBus[bus] = inverse[permutation_.indices()[bus]];
  return byBus;
}

}  // namespace voltaria::analysis
