#include "Network.h"

#include <cmath>
#include <queue>

#include "AnalysisError.h"
#include "ConductorTable.h"

namespace voltaria::analysis {

namespace {

std::optional<double> LengthKm(const MasterData& data, const BranchData& branch) {
  auto length = data.BranchLengthKm(branch.from, branch.to);
  return length ? length : data.BranchLengthKm(branch.to, branch.from);
}

Branch CableBranch(const MasterData& data, const BranchData& b, const Network& network, double baseKv) {
  const PerUnitSystem& pu = network.PerUnit();
  std::optional<Conductor> conductor;
  if (!b.cableType.empty()) {
    conductor = FindConductor(b.cableType);
    if (!conductor) throw AnalysisError("cable " + b.Name() + ": unknown cable type " + b.cableType);
  }
  double rOhmPerKm = b.resistanceOhmPerKm.value_or(conductor ? conductor->resistanceOhmPerKm : 0);
  double xOhmPerKm = b.reactanceOhmPerKm.value_or(conductor ? conductor->reactanceOhmPerKm : 0);
  double bMicroSPerKm = b.susceptanceMicroSPerKm.value_or(0);
  auto lengthKm = LengthKm(data, b);
  if (!lengthKm || !(*lengthKm > 0)) {
    throw AnalysisError("cable " + b.Name() + " has no length (measure the branch in the Navigator)");
  }
  Branch branch;
  // A DC circuit has two conductors in its loop; an AC impedance is per phase.
  double conductorsInLoop = pu.IsDirectCurrent() ? 2.0 : 1.0;
  Complex ohm(conductorsInLoop * rOhmPerKm * *lengthKm / b.parallel,
              pu.IsDirectCurrent() ? 0.0 : xOhmPerKm * *lengthKm / b.parallel);
  branch.seriesImpedancePu = ohm / pu.ImpedanceBaseOhm(baseKv);
  branch.chargingSusceptancePu = pu.AdmittancePu(bMicroSPerKm * 1e-6 * *lengthKm * b.parallel, baseKv);
  double ratedA = b.ratedA.value_or(conductor ? conductor->ampacityA * b.parallel : 0);
  branch.ratingPu = ratedA > 0 ? pu.CurrentPu(ratedA, baseKv) : 0;
  return branch;
}

Branch LineBranch(const BranchData& b, const Network& network, double baseKv) {
  const PerUnitSystem& pu = network.PerUnit();
  Branch branch;
  if (b.resistancePu || b.reactancePu) {
    branch.seriesImpedancePu = Complex(b.resistancePu.value_or(0), b.reactancePu.value_or(0));
  } else {
    branch.seriesImpedancePu =
        Complex(pu.ImpedancePu(b.resistanceOhm.value_or(0), baseKv), pu.ImpedancePu(b.reactanceOhm.value_or(0), baseKv));
  }
  branch.chargingSusceptancePu =
      b.susceptancePu ? *b.susceptancePu : pu.AdmittancePu(b.susceptanceMicroS.value_or(0) * 1e-6, baseKv);
  branch.ratingPu = b.ratedA ? pu.CurrentPu(*b.ratedA, baseKv) : 0;
  return branch;
}

Branch TransformerBranch(const BranchData& b, const Network& network, double fromKv) {
  const PerUnitSystem& pu = network.PerUnit();
  if (pu.IsDirectCurrent()) throw AnalysisError("transformer " + b.Name() + " in a DC network");
  Branch branch;
  if (b.ratedKva && b.impedancePercent) {
    double zOwnPu = *b.impedancePercent / 100.0;
    double rOwnPu = zOwnPu / std::sqrt(1 + b.xOverR * b.xOverR);
    branch.seriesImpedancePu = Complex(pu.RatingToSystemPu(rOwnPu, *b.ratedKva),
                                       pu.RatingToSystemPu(rOwnPu * b.xOverR, *b.ratedKva));
    branch.ratingPu = *b.ratedKva / 1000.0 / pu.BaseMva();
  } else {
    branch.seriesImpedancePu = Complex(b.resistancePu.value_or(0), b.reactancePu.value_or(0));
  }
  if (b.ratedA) branch.ratingPu = pu.CurrentPu(*b.ratedA, fromKv);
  branch.tapPu = b.tapPu;
  return branch;
}

void RequireBranchData(const MasterData& data) {
  for (const auto& [from, to] : data.branchEntries) {
    bool described = false;
    for (const auto& b : data.branches) {
      described = described || (b.from == from && b.to == to) || (b.from == to && b.to == from);
    }
    if (!described) {
      throw AnalysisError("branch " + from + "->" + to + " has no data (Cable=, Line= or Transformer=)");
    }
  }
}

// Cables and lines join buses of one voltage: a bus without its own voltage takes it from them.
void PropagateNominalVoltages(const MasterData& data, std::vector<std::optional<double>>& kv, const Network& network) {
  std::vector<std::vector<int>> sameVoltage(kv.size());
  for (const auto& b : data.branches) {
    if (b.kind == BranchKind::Transformer) continue;
    int from = *network.FindBus(b.from);
    int to = *network.FindBus(b.to);
    sameVoltage[from].push_back(to);
    sameVoltage[to].push_back(from);
  }
  std::queue<int> known;
  for (int i = 0; i < static_cast<int>(kv.size()); ++i) {
    if (kv[i]) known.push(i);
  }
  while (!known.empty()) {
    int bus = known.front();
    known.pop();
    for (int next : sameVoltage[bus]) {
      if (!kv[next]) {
        kv[next] = kv[bus];
        known.push(next);
      }
    }
  }
}

void AddBuses(const MasterData& data, Network& network) {
  std::vector<std::optional<double>> kv;
  std::vector<std::optional<double>> ratedKa;
  auto add = [&](const std::string& id) {
    if (network.FindBus(id)) return;
    network.AddBus(Bus{id, 0, std::nullopt, BusType::PQ, 1.0});
    kv.emplace_back();
    ratedKa.emplace_back();
  };
  for (const auto& bus : data.buses) {
    add(bus.id);
    int index = *network.FindBus(bus.id);
    kv[index] = bus.nominalKv;
    ratedKa[index] = bus.ratedShortCircuitKa;
  }
  for (const auto& id : data.nodeIds) add(id);
  for (const auto& b : data.branches) {
    add(b.from);
    add(b.to);
  }
  for (const auto& u : data.utilities) add(u.bus);
  for (const auto& g : data.generators) add(g.bus);
  for (const auto& l : data.loads) add(l.bus);
  for (const auto& m : data.motors) add(m.bus);
  for (const auto& s : data.shunts) add(s.bus);
  PropagateNominalVoltages(data, kv, network);
  for (int i = 0; i < network.BusCount(); ++i) {
    if (!kv[i]) throw AnalysisError("bus " + network.buses[i].id + " has no nominal voltage (Bus=" + network.buses[i].id + " kV=...)");
    network.buses[i].baseKv = *kv[i];
    network.buses[i].ratedShortCircuitKa = ratedKa[i];
  }
}

void AddBranches(const MasterData& data, Network& network) {
  for (const auto& b : data.branches) {
    int from = *network.FindBus(b.from);
    int to = *network.FindBus(b.to);
    if (from == to) throw AnalysisError("branch " + b.Name() + " joins a bus to itself");
    double fromKv = network.buses[from].baseKv;
    if (b.kind != BranchKind::Transformer && std::abs(fromKv - network.buses[to].baseKv) > 1e-9 * fromKv) {
      throw AnalysisError("branch " + b.Name() + " joins buses of different voltages without a transformer");
    }
    Branch branch = b.kind == BranchKind::Cable  ? CableBranch(data, b, network, fromKv)
                    : b.kind == BranchKind::Line ? LineBranch(b, network, fromKv)
                                                 : TransformerBranch(b, network, fromKv);
    if (std::abs(branch.seriesImpedancePu) == 0) throw AnalysisError("branch " + b.Name() + " has no impedance");
    branch.name = b.Name();
    branch.kind = b.kind;
    branch.from = from;
    branch.to = to;
    network.branches.push_back(branch);
  }
}

void AddInjections(const MasterData& data, Network& network) {
  const PerUnitSystem& pu = network.PerUnit();
  network.loadPu.assign(network.BusCount(), Complex());
  network.shuntAdmittancePu.assign(network.BusCount(), Complex());
  for (const auto& u : data.utilities) {
    int bus = *network.FindBus(u.bus);
    std::optional<double> shortCircuitPu;
    if (u.shortCircuitMva) shortCircuitPu = *u.shortCircuitMva / pu.BaseMva();
    network.sources.push_back({bus, u.voltagePu, shortCircuitPu, u.xOverR});
  }
  for (const auto& g : data.generators) {
    network.generators.push_back({g.id, *network.FindBus(g.bus), pu.PowerPu(g.activeKw), pu.PowerPu(g.reactiveMinKvar),
                                  pu.PowerPu(g.reactiveMaxKvar), g.ratedKva ? pu.PowerPu(*g.ratedKva) : 0.0,
                                  g.subtransientXPu});
    Bus& bus = network.buses[network.generators.back().bus];
    if (bus.type == BusType::PQ) {
      bus.type = BusType::PV;
      bus.voltageSetPu = g.voltagePu;
    }
  }
  for (const auto& l : data.loads) network.loadPu[*network.FindBus(l.bus)] += Complex(pu.PowerPu(l.activeKw), pu.PowerPu(l.reactiveKvar));
  for (const auto& m : data.motors) {
    network.motors.push_back({m.id, *network.FindBus(m.bus), m.outputKw, pu.PowerPu(m.InputKva()), m.powerFactor,
                              m.lockedRotorCurrentMultiple, m.lockedRotorPowerFactor});
  }
  for (const auto& s : data.shunts) {
    network.shuntAdmittancePu[*network.FindBus(s.bus)] += Complex(pu.PowerPu(s.activeKw), pu.PowerPu(s.reactiveKvar));
  }
}

// Each part of the network needs one reference: its utility, else its first generator.
void ChooseSlackBuses(Network& network) {
  const int n = network.BusCount();
  std::vector<std::vector<int>> neighbours(n);
  for (const auto& b : network.branches) {
    neighbours[b.from].push_back(b.to);
    neighbours[b.to].push_back(b.from);
  }
  if (n > 1) {
    for (int i = 0; i < n; ++i) {
      if (neighbours[i].empty()) throw AnalysisError("bus " + network.buses[i].id + " is isolated: no branch connects it");
    }
  }
  std::vector<int> part(n, -1);
  std::vector<int> firstBusOfPart;
  for (int start = 0; start < n; ++start) {
    if (part[start] >= 0) continue;
    int id = static_cast<int>(firstBusOfPart.size());
    firstBusOfPart.push_back(start);
    std::vector<int> stack{start};
    part[start] = id;
    while (!stack.empty()) {
      int bus = stack.back();
      stack.pop_back();
      for (int next : neighbours[bus]) {
        if (part[next] < 0) {
          part[next] = id;
          stack.push_back(next);
        }
      }
    }
  }
  std::vector<int> slackOfPart(firstBusOfPart.size(), -1);
  for (const auto& source : network.sources) {
    int& slack = slackOfPart[part[source.bus]];
    if (slack >= 0) {
      throw AnalysisError("buses " + network.buses[slack].id + " and " + network.buses[source.bus].id +
                          " both hold a utility in one network part; only one can set its voltage");
    }
    slack = source.bus;
    network.buses[source.bus].type = BusType::Slack;
    network.buses[source.bus].voltageSetPu = source.voltagePu;
  }
  for (const auto& generator : network.generators) {
    int& slack = slackOfPart[part[generator.bus]];
    if (slack < 0) {
      slack = generator.bus;
      network.buses[generator.bus].type = BusType::Slack;
    }
  }
  for (std::size_t p = 0; p < slackOfPart.size(); ++p) {
    if (slackOfPart[p] < 0) {
      throw AnalysisError("the network part with bus " + network.buses[firstBusOfPart[p]].id +
                          " has no source (Utility= or Generator=)");
    }
  }
}

}  // namespace

Complex Motor::RunningPowerPu() const {
  double activePu = ratingPu * powerFactor;
  return {activePu, ratingPu * std::sqrt(1 - powerFactor * powerFactor)};
}

Complex Motor::LockedRotorAdmittancePu() const {
  // At rated voltage the locked rotor draws LRC times rated current: S = LRC * rating at LRPF,
  // and an admittance draws S = V^2 * conj(y).
  double startingPu = lockedRotorCurrentMultiple * ratingPu;
  return {startingPu * lockedRotorPowerFactor, -startingPu * std::sqrt(1 - lockedRotorPowerFactor * lockedRotorPowerFactor)};
}

std::optional<int> Network::FindBus(const std::string& id) const {
  auto found = index_.find(id);
  return found == index_.end() ? std::nullopt : std::optional<int>(found->second);
}

int Network::AddBus(Bus bus) {
  int index = BusCount();
  index_.emplace(bus.id, index);
  buses.push_back(std::move(bus));
  return index;
}

std::vector<Complex> Network::DemandPu(const std::string& exceptMotor) const {
  std::vector<Complex> demand = loadPu;
  for (const auto& motor : motors) {
    if (motor.id != exceptMotor) demand[motor.bus] += motor.RunningPowerPu();
  }
  return demand;
}

Network BuildNetwork(const MasterData& data) {
  if (data.networkType != "3P" && data.networkType != "DC") {
    throw AnalysisError("network type " + (data.networkType.empty() ? std::string("(none)") : data.networkType) +
                        " is not analysed here: only 3P and DC networks are");
  }
  RequireBranchData(data);
  Network network(PerUnitSystem(data.baseMva, data.networkType == "DC"));
  AddBuses(data, network);
  if (network.BusCount() == 0) throw AnalysisError(data.path + " describes no bus");
  AddBranches(data, network);
  AddInjections(data, network);
  ChooseSlackBuses(network);
  return network;
}

}  // namespace voltaria::analysis
