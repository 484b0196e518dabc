#include "LoadFlow.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseLU>
#include <algorithm>
#include <cmath>

#include "AnalysisError.h"

namespace voltaria::analysis {

namespace {

using RealSparseMatrix = Eigen::SparseMatrix<double>;
constexpr Complex kJ(0, 1);

// The unknowns: the angle of every bus but the slack, and the magnitude of every load bus, placed
// bus by bus in a fill-reducing order of the admittance matrix, so that the Jacobian is that
// matrix's pattern in small blocks and factors with little fill.
struct Unknowns {
  std::vector<int> angle;      // per bus, -1 for the slack
  std::vector<int> magnitude;  // per bus, -1 unless a load bus
  int count = 0;

  Unknowns(const std::vector<BusType>& types, const std::vector<int>& busOrder)
      : angle(types.size(), -1), magnitude(types.size(), -1) {
    for (int i : busOrder) {
      if (types[i] == BusType::Slack) continue;
      angle[i] = count++;
      if (types[i] == BusType::PQ) magnitude[i] = count++;
    }
  }
};

std::vector<int> FillReducingBusOrder(const SparseComplexMatrix& admittance) {
  Eigen::AMDOrdering<int> ordering;
  Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> order;
  ordering(admittance, order);
  return {order.indices().data(), order.indices().data() + order.size()};
}

class NewtonRaphson {
 public:
  NewtonRaphson(const Network& network, const SparseComplexMatrix& admittance, std::vector<Complex> specifiedPu)
      : network_(network),
        admittance_(admittance),
        specifiedPu_(std::move(specifiedPu)),
        busOrder_(FillReducingBusOrder(admittance)) {
    for (const auto& bus : network.buses) {
      types_.push_back(bus.type);
      voltagePu_.emplace_back(bus.type == BusType::PQ ? 1.0 : bus.voltageSetPu, 0.0);
    }
  }

  void Solve(const LoadFlowOptions& options) {
    for (int pass = 0;; ++pass) {
      Iterate(options);
      if (!options.enforceReactiveLimits || !EnforceReactiveLimits()) return;
      if (pass > network_.BusCount()) throw AnalysisError("the reactive limits of the generators cannot all be met");
    }
  }

  std::vector<Complex> InjectedPowerPu() const {
    Eigen::VectorXcd current = admittance_ * VoltageVector();
    std::vector<Complex> injected(voltagePu_.size());
    for (std::size_t i = 0; i < voltagePu_.size(); ++i) injected[i] = voltagePu_[i] * std::conj(current[i]);
    return injected;
  }

  const std::vector<Complex>& VoltagePu() const { return voltagePu_; }
  std::vector<std::string> BusesAtReactiveLimit() const {
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < types_.size(); ++i) {
      if (types_[i] != network_.buses[i].type) ids.push_back(network_.buses[i].id);
    }
    return ids;
  }
  int Iterations() const { return iterations_; }
  double LargestMismatchPu() const { return largestMismatchPu_; }

 private:
  Eigen::VectorXcd VoltageVector() const {
    return Eigen::Map<const Eigen::VectorXcd>(voltagePu_.data(), static_cast<Eigen::Index>(voltagePu_.size()));
  }

  void Iterate(const LoadFlowOptions& options) {
    Unknowns unknowns(types_, busOrder_);
    if (unknowns.count == 0) return;
    for (int iteration = 0;; ++iteration) {
      Eigen::VectorXcd current = admittance_ * VoltageVector();
      Eigen::VectorXd mismatch = ComputeMismatch(unknowns, current);
      largestMismatchPu_ = mismatch.lpNorm<Eigen::Infinity>();
      if (!std::isfinite(largestMismatchPu_)) break;
      if (largestMismatchPu_ < options.tolerancePu) return;
      if (iteration == options.maxIterations) break;
      RealSparseMatrix jacobian = BuildJacobian(unknowns, current);
      UpdateVoltages(unknowns, SolveCorrection(jacobian, mismatch));
      ++iterations_;
    }
    throw AnalysisError("the load flow diverged: largest mismatch " + std::to_string(largestMismatchPu_) +
                        " pu after " + std::to_string(iterations_) + " iterations");
  }

  // Calculated minus specified power, P for every non-slack bus and Q for every load bus.
  Eigen::VectorXd ComputeMismatch(const Unknowns& unknowns, const Eigen::VectorXcd& current) const {
    Eigen::VectorXd mismatch(unknowns.count);
    for (std::size_t i = 0; i < voltagePu_.size(); ++i) {
      Complex difference = voltagePu_[i] * std::conj(current[i]) - specifiedPu_[i];
      if (unknowns.angle[i] >= 0) mismatch[unknowns.angle[i]] = difference.real();
      if (unknowns.magnitude[i] >= 0) mismatch[unknowns.magnitude[i]] = difference.imag();
    }
    return mismatch;
  }

  // dS_i/dtheta_k = j V_i conj(delta_ik I_i - Y_ik V_k)
  // dS_i/d|V_k|   = V_i conj(Y_ik V_k / |V_k|) + delta_ik conj(I_i) V_i / |V_i|
  RealSparseMatrix BuildJacobian(const Unknowns& unknowns, const Eigen::VectorXcd& current) const {
    std::vector<Eigen::Triplet<double>> terms;
    terms.reserve(4 * admittance_.nonZeros());
    auto add = [&](int busRow, int busColumn, Complex byAngle, Complex byMagnitude) {
      int pRow = unknowns.angle[busRow], qRow = unknowns.magnitude[busRow];
      int angleColumn = unknowns.angle[busColumn], magnitudeColumn = unknowns.magnitude[busColumn];
      if (pRow >= 0 && angleColumn >= 0) terms.emplace_back(pRow, angleColumn, byAngle.real());
      if (pRow >= 0 && magnitudeColumn >= 0) terms.emplace_back(pRow, magnitudeColumn, byMagnitude.real());
      if (qRow >= 0 && angleColumn >= 0) terms.emplace_back(qRow, angleColumn, byAngle.imag());
      if (qRow >= 0 && magnitudeColumn >= 0) terms.emplace_back(qRow, magnitudeColumn, byMagnitude.imag());
    };
    for (int k = 0; k < admittance_.outerSize(); ++k) {
      Complex unitVoltageK = voltagePu_[k] / std::abs(voltagePu_[k]);
      for (SparseComplexMatrix::InnerIterator it(admittance_, k); it; ++it) {
        int i = static_cast<int>(it.row());
        Complex byAngle = -kJ * voltagePu_[i] * std::conj(it.value() * voltagePu_[k]);
        Complex byMagnitude = voltagePu_[i] * std::conj(it.value() * unitVoltageK);
        if (i == k) {
          byAngle += kJ * voltagePu_[i] * std::conj(current[i]);
          byMagnitude += std::conj(current[i]) * unitVoltageK;
        }
        add(i, k, byAngle, byMagnitude);
      }
    }
    RealSparseMatrix jacobian(unknowns.count, unknowns.count);
    jacobian.setFromTriplets(terms.begin(), terms.end());
    return jacobian;
  }

  // The pattern is the same at every iteration of one pass, so it is analysed once.
  Eigen::VectorXd SolveCorrection(RealSparseMatrix& jacobian, const Eigen::VectorXd& mismatch) {
    jacobian.makeCompressed();
    if (analysedSize_ != jacobian.rows()) {
      solver_.analyzePattern(jacobian);
      analysedSize_ = jacobian.rows();
    }
    solver_.factorize(jacobian);
    if (solver_.info() != Eigen::Success) {
      throw AnalysisError("the load flow's Jacobian is singular: the network cannot carry its loads");
    }
    return solver_.solve(-mismatch);
  }

  void UpdateVoltages(const Unknowns& unknowns, const Eigen::VectorXd& correction) {
    for (std::size_t i = 0; i < voltagePu_.size(); ++i) {
      double angle = std::arg(voltagePu_[i]);
      double magnitude = std::abs(voltagePu_[i]);
      if (unknowns.angle[i] >= 0) angle += correction[unknowns.angle[i]];
      if (unknowns.magnitude[i] >= 0) magnitude += correction[unknowns.magnitude[i]];
      voltagePu_[i] = std::polar(magnitude, angle);
    }
  }

  // A generator bus whose reactive power left its limits is held at the limit from now on.
  bool EnforceReactiveLimits() {
    std::vector<double> minimumPu(types_.size(), 0), maximumPu(types_.size(), 0);
    for (const auto& generator : network_.generators) {
      minimumPu[generator.bus] += generator.reactiveMinPu;
      maximumPu[generator.bus] += generator.reactiveMaxPu;
    }
    std::vector<Complex> injected = InjectedPowerPu();
    bool changed = false;
    for (std::size_t i = 0; i < types_.size(); ++i) {
      if (types_[i] != BusType::PV) continue;
      // The specified reactive power of a generator bus is its load's, negated.
      double generatedQ = injected[i].imag() - specifiedPu_[i].imag();
      if (generatedQ <= maximumPu[i] && generatedQ >= minimumPu[i]) continue;
      specifiedPu_[i] += Complex(0, generatedQ > maximumPu[i] ? maximumPu[i] : minimumPu[i]);
      types_[i] = BusType::PQ;
      changed = true;
    }
    if (changed) analysedSize_ = -1;
    return changed;
  }

  const Network& network_;
  const SparseComplexMatrix& admittance_;
  std::vector<Complex> specifiedPu_;
  std::vector<int> busOrder_;
  std::vector<BusType> types_;
  std::vector<Complex> voltagePu_;
  Eigen::SparseLU<RealSparseMatrix, Eigen::NaturalOrdering<int>> solver_;
  Eigen::Index analysedSize_ = -1;
  int iterations_ = 0;
  double largestMismatchPu_ = 0;
};

}  // namespace

LoadFlowSolution SolveLoadFlow(const Network& network, const std::vector<Complex>& demandPu,
                               const AdmittanceOptions& admittanceOptions, const LoadFlowOptions& options) {
  SparseComplexMatrix admittance = BuildAdmittanceMatrix(network, admittanceOptions);
  std::vector<Complex> specifiedPu(network.BusCount());
  for (int i = 0; i < network.BusCount(); ++i) specifiedPu[i] = -demandPu[i];
  for (const auto& generator : network.generators) specifiedPu[generator.bus] += generator.activePu;

  NewtonRaphson method(network, admittance, specifiedPu);
  method.Solve(options);

  LoadFlowSolution solution;
  solution.voltagePu = method.VoltagePu();
  std::vector<Complex> injected = method.InjectedPowerPu();
  for (int i = 0; i < network.BusCount(); ++i) solution.generationPu.push_back(injected[i] + demandPu[i]);
  solution.busesAtReactiveLimit = method.BusesAtReactiveLimit();
  solution.iterations = method.Iterations();
  solution.largestMismatchPu = method.LargestMismatchPu();
  return solution;
}

std::vector<BranchFlow> ComputeBranchFlows(const Network& network, const std::vector<Complex>& voltagePu) {
  std::vector<BranchFlow> flows;
  flows.reserve(network.branches.size());
  for (const auto& branch : network.branches) {
    BranchAdmittance y = BranchAdmittanceOf(branch);
    Complex vFrom = voltagePu[branch.from], vTo = voltagePu[branch.to];
    Complex iFrom = y.fromFrom * vFrom + y.fromTo * vTo;
    Complex iTo = y.toFrom * vFrom + y.toTo * vTo;
    BranchFlow flow{vFrom * std::conj(iFrom), vTo * std::conj(iTo), std::abs(iFrom), std::abs(iTo)};
    if (branch.ratingPu > 0) flow.loading = std::max(flow.fromCurrentPu * branch.tapPu, flow.toCurrentPu) / branch.ratingPu;
    flows.push_back(flow);
  }
  return flows;
}

}  // namespace voltaria::analysis
