#pragma once
// The radial case the short-circuit and motor-starting hand calculations share: a 13.8 kV utility
// (250 MVA, X/R 15) feeds a 1500 kVA 13.8/0.48 kV transformer (5.75 %, X/R 8) to bus LV, and 30 m
// of one 250 kcmil copper cable go on to bus FAR.

#include <string>

inline std::string RadialPlantMaster(const std::string& extraLines) {
  return "EDSA-MASTER 2\n"
         "NetworkType=3P\n"
         "BaseMVA=10\n"
         "Bus=HV kV=13.8\n"
         "Bus=LV kV=0.48 RatedKA=35\n"
         "Bus=FAR kV=0.48\n"
         "Utility=HV MVAsc=250 XR=15\n"
         "Transformer=HV,LV kVA=1500 Zpct=5.75 XR=8\n"
         "Cable=LV,FAR Type=250kcmil\n"
         "BranchLength=LV,FAR,30,MT\n" +
         extraLines;
}

// Its impedances in ohms, referred to 480 V, worked out by hand.
namespace radial {
constexpr double kLowKv = 0.48;
// Cable 250 kcmil: 0.052 and 0.041 ohm per 1000 ft -> per km divide by 0.3048, times 0.030 km.
constexpr double kCableROhm = 0.052 / 0.3048 * 0.030;  // 0.0051181
constexpr double kCableXOhm = 0.041 / 0.3048 * 0.030;  // 0.0040354
// Transformer: Z = 0.0575 * 0.48^2 / 1.5 MVA = 0.008832 ohm; R = Z / sqrt(1 + 8^2), X = 8 R.
constexpr double kTransformerZOhm = 0.0575 * kLowKv * kLowKv / 1.5;
}  // namespace radial
