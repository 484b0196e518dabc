#pragma once
// Cable pulling tension along a route of straight runs and bends, pulled from either end.
//   straight run of length L rising by h (sin a = h / L), cable weight w (N/m), friction f:
//       T_out = T_in + w L (f cos a + sin a), never below zero (a steep run down may pull itself)
//   bend of angle t (radians) and radius R, by the capstan relation, the cable's weight in the
//   bend neglected:  T_out = T_in e^(f t); sidewall pressure SWP = T_out / R
// The job file (".cpd") holds the cable data and the route (format: samples/README.md).

#include <optional>
#include <string>
#include <vector>

namespace voltaria::analysis {

struct PullSegment {
  enum class Kind { Run, Bend };
  Kind kind = Kind::Run;
  double lengthM = 0;  ///< run
  double riseM = 0;    ///< run: height gained along the route's order
  double angleDeg = 0; ///< bend
  double radiusM = 0;  ///< bend
  std::string element;
};

struct CableData {
  double diameterMm = 0;
  std::optional<double> weightKgPerM;  ///< estimated from the diameter when not given
  double frictionCoefficient = 0.5;
  double allowableTensionN = 8900;
  double allowableSidewallNPerM = 7300;
  double feedTensionN = 0;
  double WeightKgPerM() const;
};

/// The cable-pull job as its file holds it.
struct CablePullJob {
  int version = 2;
  std::vector<std::string> comments;
  CableData cable;
  std::vector<PullSegment> route;
};

struct PullStep {
  const PullSegment* segment = nullptr;
  double riseM = 0;                    ///< runs: height gained in the pulling direction
  double tensionN = 0;                 ///< at the segment's end, in the pulling direction
  std::optional<double> sidewallNPerM; ///< bends
};

struct PullResult {
  std::string fedAt, pulledAt;  ///< elements at the two ends
  std::vector<PullStep> steps;
  double maximumTensionN = 0;
  double maximumSidewallNPerM = 0;
  bool WithinLimits(const CableData& cable) const {
    return maximumTensionN <= cable.allowableTensionN && maximumSidewallNPerM <= cable.allowableSidewallNPerM;
  }
};

constexpr double kGravityMPerS2 = 9.80665;
/// Effective density of a copper power cable over its outer cross-section, for the weight estimate.
constexpr double kCableDensityKgPerM3 = 2500.0;

/// Pulls along `route` in its order (fed at the first segment) or against it.
PullResult PullAlong(const std::vector<PullSegment>& route, const CableData& cable, bool reversed);

CablePullJob ReadCablePullJob(const std::string& path);
/// Reads the RUN and BEND lines of segment data (".seg", versions 1 and 2).
std::vector<PullSegment> ReadSegmentFile(const std::string& path);
std::string FormatCablePullJob(const CablePullJob& job);

/// The report: SHORT gives both directions and the preferred one, DETAILED adds every segment.
std::string CablePullReport(const CablePullJob& job, const std::string& jobName, bool detailed, const std::string& time);

/// What the cable-pull program does in `mode` (1 global data, 2 segment data, 3 SHORT report,
/// 4 DETAILED report) with the job at `jobPath`; returns the file it wrote.
std::string RunCablePull(int mode, const std::string& jobPath);

}  // namespace voltaria::analysis
