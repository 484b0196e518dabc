#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisError.h"

#include "LoadFlow.h"
#include "MasterData.h"

using namespace voltaria::analysis;

namespace {

double Degrees(Complex v) { return std::arg(v) * 180.0 / M_PI; }

// The IEEE 14-bus test case (American Electric Power system, February 1962) as the IEEE Common
// Data Format gives it (Power Systems Test Case Archive, University of Washington), per unit on
// 100 MVA. Transformer taps are on the from side. Buses 1-5 are taken at 132 kV and 6-14 at 33 kV
// only so the file is complete; per-unit data make the voltages irrelevant.
constexpr const char* kIeee14Bus = R"(EDSA-MASTER 2
NetworkType=3P
BaseMVA=100
Bus=1 kV=132
Bus=2 kV=132
Bus=3 kV=132
Bus=4 kV=132
Bus=5 kV=132
Bus=6 kV=33
Bus=7 kV=33
Bus=8 kV=33
Bus=9 kV=33
Bus=10 kV=33
Bus=11 kV=33
Bus=12 kV=33
Bus=13 kV=33
Bus=14 kV=33
Utility=1 Vpu=1.06
Generator=G2 Bus=2 kW=40000 Vpu=1.045 kvarMin=-40000 kvarMax=50000
Generator=G3 Bus=3 kW=0 Vpu=1.01 kvarMin=0 kvarMax=40000
Generator=G6 Bus=6 kW=0 Vpu=1.07 kvarMin=-6000 kvarMax=24000
Generator=G8 Bus=8 kW=0 Vpu=1.09 kvarMin=-6000 kvarMax=24000
Load=L2 Bus=2 kW=21700 kvar=12700
Load=L3 Bus=3 kW=94200 kvar=19000
Load=L4 Bus=4 kW=47800 kvar=-3900
Load=L5 Bus=5 kW=7600 kvar=1600
Load=L6 Bus=6 kW=11200 kvar=7500
Load=L9 Bus=9 kW=29500 kvar=16600
Load=L10 Bus=10 kW=9000 kvar=5800
Load=L11 Bus=11 kW=3500 kvar=1800
Load=L12 Bus=12 kW=6100 kvar=1600
Load=L13 Bus=13 kW=13500 kvar=5800
Load=L14 Bus=14 kW=14900 kvar=5000
Shunt=9 kvar=19000
Line=1,2 Rpu=0.01938 Xpu=0.05917 Bpu=0.0528
Line=1,5 Rpu=0.05403 Xpu=0.22304 Bpu=0.0492
Line=2,3 Rpu=0.04699 Xpu=0.19797 Bpu=0.0438
Line=2,4 Rpu=0.05811 Xpu=0.17632 Bpu=0.0340
Line=2,5 Rpu=0.05695 Xpu=0.17388 Bpu=0.0346
Line=3,4 Rpu=0.06701 Xpu=0.17103 Bpu=0.0128
Line=4,5 Rpu=0.01335 Xpu=0.04211
Transformer=4,7 Xpu=0.20912 Tap=0.978
Transformer=4,9 Xpu=0.55618 Tap=0.969
Transformer=5,6 Xpu=0.25202 Tap=0.932
Line=6,11 Rpu=0.09498 Xpu=0.19890
Line=6,12 Rpu=0.12291 Xpu=0.25581
Line=6,13 Rpu=0.06615 Xpu=0.13027
Line=7,8 Xpu=0.17615
Line=7,9 Xpu=0.11001
Line=9,10 Rpu=0.03181 Xpu=0.08450
Line=9,14 Rpu=0.12711 Xpu=0.27038
Line=10,11 Rpu=0.08205 Xpu=0.19207
Line=12,13 Rpu=0.22092 Xpu=0.19988
Line=13,14 Rpu=0.17093 Xpu=0.34802
)";

// The published Newton-Raphson solution of the case (as tabulated with MATPOWER's case14 and in
// many textbooks): voltage magnitude in pu and angle in degrees, bus 1 first.
struct PublishedBus {
  double voltagePu, angleDeg;
};
constexpr PublishedBus kIeee14Solution[] = {
    {1.060, 0.000},   {1.045, -4.983},  {1.010, -12.725}, {1.018, -10.313}, {1.020, -8.774},
    {1.070, -14.221}, {1.062, -13.360}, {1.090, -13.360}, {1.056, -14.939}, {1.051, -15.097},
    {1.057, -14.791}, {1.055, -15.076}, {1.050, -15.156}, {1.036, -16.034},
};

}  // namespace

TEST(LoadFlowTest, ReproducesThePublishedIeee14BusSolution) {
  Network network = BuildNetwork(ParseMasterText(kIeee14Bus, "ieee14.mas"));
  LoadFlowSolution solution = SolveLoadFlow(network, network.DemandPu());
  ASSERT_EQ(network.BusCount(), 14);
  for (int i = 0; i < 14; ++i) {
    SCOPED_TRACE("bus " + network.buses[i].id);
    // The published magnitudes have three decimals: within 0.001 pu is within their rounding.
    EXPECT_NEAR(std::abs(solution.voltagePu[i]), kIeee14Solution[i].voltagePu, 0.001);
    EXPECT_NEAR(Degrees(solution.voltagePu[i]), kIeee14Solution[i].angleDeg, 0.01);
  }
  EXPECT_LE(solution.iterations, 6);
  EXPECT_LT(solution.largestMismatchPu, 1e-9);
  // Published slack output: 232.4 MW. The network's losses are 13.4 MW on 259 MW of load.
  EXPECT_NEAR(solution.generationPu[0].real() * 100, 232.39, 0.05);
  EXPECT_TRUE(solution.busesAtReactiveLimit.empty());
}

// Two buses joined by X = 0.1 pu; bus B would need 0.525 pu of reactive power to hold 1.05 pu
// (Q = V (V - 1) / X at zero angle), but its generator gives at most 0.2 pu. Held at 0.2 pu:
//   V (V - 1) / 0.1 = 0.2  ->  V^2 - V - 0.02 = 0  ->  V = (1 + sqrt(1.08)) / 2 = 1.019615 pu
TEST(LoadFlowTest, AGeneratorAtItsReactiveLimitLetsItsVoltageGo) {
  Network network = BuildNetwork(ParseMasterText(R"(EDSA-MASTER 2
NetworkType=3P
BaseMVA=100
Bus=A kV=11
Utility=A Vpu=1.0
Generator=G Bus=B kW=0 Vpu=1.05 kvarMin=-20000 kvarMax=20000
Line=A,B Xpu=0.1
)", "two.mas"));
  LoadFlowSolution solution = SolveLoadFlow(network, network.DemandPu());
  EXPECT_NEAR(std::abs(solution.voltagePu[1]), (1 + std::sqrt(1.08)) / 2, 1e-6);
  EXPECT_NEAR(solution.generationPu[1].imag(), 0.2, 1e-6);
  EXPECT_EQ(solution.busesAtReactiveLimit, std::vector<std::string>{"B"});
}

// A 125 V DC source feeds 2 kW over 50 m of 4 AWG copper, two conductors:
//   R loop = 2 * 1.01706 ohm/km * 0.05 km = 0.101706 ohm
//   V (125 - V) / R = 2000 W  ->  V = (125 + sqrt(125^2 - 4 * 2000 * R)) / 2 = 123.351 V
//   I = 2000 / V = 16.214 A, losses I^2 R = 26.74 W
TEST(LoadFlowTest, SolvesADcFeederByHand) {
  Network network = BuildNetwork(ParseMasterText(R"(EDSA-MASTER 2
NetworkType=DC
BaseMVA=1
Bus=BATT kV=0.125
Source=BATT Vpu=1.0
Load=PLC Bus=CAB kW=2
Cable=BATT,CAB Type=4AWG
BranchLength=BATT,CAB,50,MT
)", "dc.mds"));
  LoadFlowSolution solution = SolveLoadFlow(network, network.DemandPu());
  const double loopOhm = 2 * (0.31 / 0.3048) * 0.05;
  const double expectedV = (125 + std::sqrt(125.0 * 125.0 - 4 * 2000 * loopOhm)) / 2;
  EXPECT_NEAR(std::abs(solution.voltagePu[1]) * 125, expectedV, 1e-6);
  EXPECT_NEAR(expectedV, 123.351, 0.001);
  EXPECT_NEAR(std::arg(solution.voltagePu[1]), 0.0, 1e-12);
  std::vector<BranchFlow> flows = ComputeBranchFlows(network, solution.voltagePu);
  EXPECT_NEAR(network.PerUnit().CurrentA(flows[0].fromCurrentPu, 0.125), 2000 / expectedV, 1e-6);
  EXPECT_NEAR(network.PerUnit().PowerKw(flows[0].LossPu().real()) * 1000, 26.74, 0.01);
}

TEST(LoadFlowTest, RefusesALoadTheNetworkCannotCarry) {
  // 0.5 pu of reactance cannot carry 3 pu: there is no solution to converge to.
  Network network = BuildNetwork(ParseMasterText(R"(EDSA-MASTER 2
NetworkType=3P
BaseMVA=100
Bus=A kV=11
Utility=A
Load=L Bus=B kW=300000 kvar=100000
Line=A,B Xpu=0.5
)", "heavy.mas"));
  EXPECT_THROW(SolveLoadFlow(network, network.DemandPu()), AnalysisError);
}
