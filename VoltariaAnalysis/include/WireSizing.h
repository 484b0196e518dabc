#pragma once
// Wire sizing: the smallest copper conductor (ConductorTable) that carries the load and keeps the
// voltage drop within its limit.
//   load current     I = P / (sqrt(3) V pf) three-phase, P / (V pf) single-phase
//   ampacity         table ampacity * ambient correction * parallel sets >= I * continuous factor
//   voltage drop     dV = k I L (R pf + X sin) / parallel, k = sqrt(3) three-phase, 2 single-phase,
//                    as a percentage of V, at most the limit
// The job file (".wsw") holds the feeder (keys: samples/README.md); the report goes beside it.

#include <string>

#include "ConductorTable.h"

namespace voltaria::analysis {

struct WireSizingJob {
  std::string from, to;
  double lengthM = 0;
  double voltageV = 0;
  int phases = 3;
  double loadKw = 0;
  double powerFactor = 0.85;
  double ambientC = kTableAmbientC;
  double continuousFactor = 1.25;
  double maxVoltageDropPercent = 3.0;
  int parallel = 1;
};

struct WireSizingResult {
  double loadCurrentA = 0;
  double requiredAmpacityA = 0;  ///< per conductor, before the ambient correction
  double ambientFactor = 1;
  Conductor byAmpacity;          ///< smallest size the current allows
  Conductor chosen;              ///< smallest size meeting both
  double voltageDropPercent = 0; ///< of the chosen size
  bool limitedByVoltageDrop = false;
};

WireSizingJob ReadWireSizingJob(const std::string& path);
double VoltageDropPercent(const WireSizingJob& job, const Conductor& conductor, double currentA);
/// Refuses (AnalysisError) a feeder that even the largest conductor cannot serve.
WireSizingResult SizeWire(const WireSizingJob& job);
std::string WireSizingReport(const WireSizingJob& job, const WireSizingResult& result, const std::string& jobName,
                             const std::string& time);
/// Sizes the job at `jobPath` and writes its report "<job base>.wsr" beside it; returns its path.
std::string RunWireSizing(const std::string& jobPath);

}  // namespace voltaria::analysis
