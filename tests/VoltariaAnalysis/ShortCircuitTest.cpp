#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisError.h"

#include "RadialPlant.h"
#include "ShortCircuit.h"

using namespace voltaria::analysis;
using namespace radial;

namespace {

Complex WithXOverR(double magnitudeOhm, double xOverR) {
  double r = magnitudeOhm / std::sqrt(1 + xOverR * xOverR);
  return {r, r * xOverR};
}

const BusFault& FaultAt(const Network& network, const std::vector<BusFault>& faults, const std::string& id) {
  return faults[*network.FindBus(id)];
}

// Hand calculation, everything in ohms at 480 V, c = 1.05 at the 480 V faults:
//   utility   Z_Q = c_Q * U^2 / S''kQ = 1.10 * 0.48^2 / 250 = 0.0010138 ohm at X/R 15
//   transformer Z_T = 0.008832 ohm at X/R 8;  cable 0.0051181 + j 0.0040354 ohm
//   fault at LV:  Z = Z_Q + Z_T            = 0.0011629 + j 0.0097753 ohm, |Z| = 0.0098442
//                 I''k = 1.05 * 480 / (sqrt(3) * 0.0098442) = 29.559 kA, X/R = 8.406
//                 kappa = 1.02 + 0.98 e^(-3 / 8.406) = 1.7059, ip = kappa sqrt(2) I''k = 71.31 kA
//   fault at FAR: Z = Z_Q + Z_T + Z_cable  = 0.0062810 + j 0.0138107 ohm, |Z| = 0.0151719
//                 I''k = 19.179 kA, X/R = 2.199, kappa = 1.2704, ip = 34.46 kA
struct HandCalculation {
  Complex utilityOhm = WithXOverR(1.10 * kLowKv * kLowKv / 250.0, 15);
  Complex transformerOhm = WithXOverR(kTransformerZOhm, 8);
  Complex cableOhm{kCableROhm, kCableXOhm};
  static double InitialKa(Complex z) { return 1.05 * kLowKv / (std::sqrt(3.0) * std::abs(z)); }
  static double PeakKa(Complex z) {
    return (1.02 + 0.98 * std::exp(-3 * z.real() / z.imag())) * std::sqrt(2.0) * InitialKa(z);
  }
};

}  // namespace

TEST(ShortCircuitTest, MatchesTheHandCalculationOfARadialFeeder) {
  Network network = BuildNetwork(ParseMasterText(RadialPlantMaster(""), "radial.mas"));
  std::vector<BusFault> faults = ComputeShortCircuit(network);
  HandCalculation hand;
  Complex atLv = hand.utilityOhm + hand.transformerOhm;
  Complex atFar = atLv + hand.cableOhm;

  const BusFault& lv = FaultAt(network, faults, "LV");
  EXPECT_NEAR(lv.initialCurrentKa, HandCalculation::InitialKa(atLv), 1e-6);
  EXPECT_NEAR(lv.initialCurrentKa, 29.559, 0.001);
  EXPECT_NEAR(lv.peakCurrentKa, 71.31, 0.01);
  EXPECT_NEAR(lv.peakCurrentKa, HandCalculation::PeakKa(atLv), 1e-6);
  EXPECT_NEAR(lv.xOverR, atLv.imag() / atLv.real(), 1e-9);
  ASSERT_TRUE(lv.dutyPercent.has_value());
  EXPECT_NEAR(*lv.dutyPercent, 100 * HandCalculation::InitialKa(atLv) / 35.0, 1e-6);

  const BusFault& far = FaultAt(network, faults, "FAR");
  EXPECT_NEAR(far.initialCurrentKa, HandCalculation::InitialKa(atFar), 1e-6);
  EXPECT_NEAR(far.initialCurrentKa, 19.179, 0.001);
  EXPECT_NEAR(far.peakCurrentKa, 34.46, 0.01);
  EXPECT_FALSE(far.dutyPercent.has_value());

  // At 13.8 kV, c = 1.10 and only the utility feeds the fault: I''k = S''kQ / (sqrt(3) U).
  EXPECT_NEAR(FaultAt(network, faults, "HV").initialCurrentKa, 250.0 / (std::sqrt(3.0) * 13.8), 1e-6);
}

// A 75 kW motor at FAR (PF 0.86, efficiency 0.94, LRC 6) adds its own path to the fault:
//   S_rM = 75 / (0.94 * 0.86) = 92.776 kVA, Z_M = (1 / 6) * 0.48^2 / 0.092776 MVA = 0.41391 ohm,
//   R/X 0.42 (low voltage); the fault at FAR sees Z_network in parallel with Z_M.
TEST(ShortCircuitTest, AMotorFeedsTheFaultThroughItsLockedRotorImpedance) {
  Network network = BuildNetwork(ParseMasterText(
      RadialPlantMaster("Motor=PUMP Bus=FAR kW=75 PF=0.86 Eff=0.94 LRC=6\n"), "radial.mas"));
  std::vector<BusFault> faults = ComputeShortCircuit(network);
  HandCalculation hand;
  Complex network_ = hand.utilityOhm + hand.transformerOhm + hand.cableOhm;
  double motorZOhm = (1.0 / 6.0) * kLowKv * kLowKv / (75.0 / (0.94 * 0.86) / 1000.0);
  double motorXOhm = motorZOhm / std::sqrt(1 + 0.42 * 0.42);
  Complex motor(0.42 * motorXOhm, motorXOhm);
  Complex parallel = network_ * motor / (network_ + motor);
  EXPECT_NEAR(FaultAt(network, faults, "FAR").initialCurrentKa, HandCalculation::InitialKa(parallel), 1e-6);
  EXPECT_GT(FaultAt(network, faults, "FAR").initialCurrentKa, HandCalculation::InitialKa(network_) + 0.5);
}

TEST(ShortCircuitTest, RefusesAUtilityWithoutShortCircuitPower) {
  Network network = BuildNetwork(ParseMasterText(
      "EDSA-MASTER 2\nNetworkType=3P\nBus=A kV=0.48\nUtility=A\nLoad=L Bus=A kW=10\n", "bare.mas"));
  EXPECT_THROW(ComputeShortCircuit(network), AnalysisError);
}
