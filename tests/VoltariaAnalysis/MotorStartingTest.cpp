#include <gtest/gtest.h>

#include <cmath>

#include "AnalysisError.h"

#include "MotorStarting.h"
#include "RadialPlant.h"

using namespace voltaria::analysis;
using namespace radial;

// Hand calculation. Before the start nothing runs, so every bus is at the utility's 1.0 pu. While
// the 150 kW motor (PF 0.88, efficiency 0.95, LRC 6.5, LRPF 0.30) starts, its locked rotor is a
// constant impedance, and the network is a voltage divider (ohms at 480 V, utility without c):
//   S_rM = 150 / (0.95 * 0.88) = 179.43 kVA; S_LR = 6.5 * S_rM = 1166.3 kVA
//   Z_LR = 0.48^2 / 1.1663 MVA * (0.30 + j 0.9539) = 0.05927 + j 0.18846 ohm
//   Z_Q = 0.48^2 / 250 = 0.0009216 ohm at X/R 15; Z_T and the cable as in the short circuit
//   V_FAR = |Z_LR| / |Z_Q + Z_T + Z_cable + Z_LR| = 0.9295 pu  -> dip 7.05 %
//   V_LV  = |Z_cable + Z_LR| / |...| = 0.9550 pu; V_HV = |Z_T + Z_cable + Z_LR| / |...| = 0.9958 pu
TEST(MotorStartingTest, MatchesTheVoltageDividerOfTheLockedRotor) {
  Network network = BuildNetwork(ParseMasterText(
      RadialPlantMaster("Motor=M1 Bus=FAR kW=150 PF=0.88 Eff=0.95 LRC=6.5 LRPF=0.3\nStartMotor=M1\n"), "radial.mas"));
  MotorStartingResult result = ComputeMotorStarting(network, "M1");

  auto withXOverR = [](double z, double xOverR) {
    double r = z / std::sqrt(1 + xOverR * xOverR);
    return Complex(r, r * xOverR);
  };
  double lockedRotorMva = 6.5 * 150.0 / (0.95 * 0.88) / 1000.0;
  Complex lockedRotor = kLowKv * kLowKv / lockedRotorMva * Complex(0.3, std::sqrt(1 - 0.09));
  Complex cable(kCableROhm, kCableXOhm);
  Complex transformer = withXOverR(kTransformerZOhm, 8);
  Complex total = withXOverR(kLowKv * kLowKv / 250.0, 15) + transformer + cable + lockedRotor;

  auto at = [&](const char* id) { return *network.FindBus(id); };
  EXPECT_NEAR(result.voltageBeforePu[at("FAR")], 1.0, 1e-9);
  EXPECT_NEAR(result.voltageDuringPu[at("FAR")], std::abs(lockedRotor) / std::abs(total), 1e-6);
  EXPECT_NEAR(result.voltageDuringPu[at("FAR")], 0.9295, 0.0001);
  EXPECT_NEAR(result.voltageDuringPu[at("LV")], std::abs(cable + lockedRotor) / std::abs(total), 1e-6);
  EXPECT_NEAR(result.voltageDuringPu[at("HV")], std::abs(transformer + cable + lockedRotor) / std::abs(total), 1e-6);
  EXPECT_NEAR(result.dipPercent[at("FAR")], 100 * (1 - std::abs(lockedRotor) / std::abs(total)), 1e-4);
  // The starting current is what the locked rotor draws at the voltage it is left with.
  double expectedA = 480.0 / std::sqrt(3.0) * result.voltageDuringPu[at("FAR")] / std::abs(lockedRotor);
  EXPECT_NEAR(result.startingCurrentA, expectedA, 1e-3);
}

TEST(MotorStartingTest, StartsTheLargestMotorWhenNoneIsNamed) {
  Network network = BuildNetwork(ParseMasterText(
      RadialPlantMaster("Motor=SMALL Bus=LV kW=20\nMotor=BIG Bus=FAR kW=150\nMotor=MID Bus=FAR kW=90\n"), "radial.mas"));
  MotorStartingResult result = ComputeMotorStarting(network, "");
  EXPECT_EQ(result.motor.id, "BIG");
  EXPECT_TRUE(result.largestChosen);
  // The others keep running, so the buses start below 1.0 pu and dip from there.
  EXPECT_LT(result.voltageBeforePu[*network.FindBus("FAR")], 1.0);
  EXPECT_GT(result.dipPercent[*network.FindBus("FAR")], result.dipPercent[*network.FindBus("LV")]);
}

TEST(MotorStartingTest, RefusesAMotorTheMasterFileDoesNotHave) {
  Network network = BuildNetwork(ParseMasterText(RadialPlantMaster("Motor=M1 Bus=FAR kW=150\n"), "radial.mas"));
  EXPECT_THROW(ComputeMotorStarting(network, "M9"), AnalysisError);
}
