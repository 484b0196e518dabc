#pragma once
// The texts of the cable-pull files the conduit services write. Lengths, diameters and radii are
// in millimetres, angles in degrees, all with three decimals.
//
// Segment data file ("<job base>.seg", or "CableRoute.seg" in the user job-file folder):
//
//     EDSA-SEGMENTS 2
//     # comment lines
//     TotalLength=10000.000       sum of the run lengths
//     Runs=3
//     Bends=2
//     RUN 1 5000.000 0.000 C1     RUN <number> <length> <rise> <element where the run starts>
//     BEND 1 90.000 300.000 C2    BEND <number> <angle> <radius> <element of the bend>
//     RUN 2 3000.000 3000.000 C2
//     ...                         runs and bends in route order
//
// Version 1 had no rise. Cable-pull job file (".cpd"): the first line "EDSA-CABLEPULL 2", comment
// lines, then
// "CableDiameter=<diameter>" and the same TotalLength, Runs, Bends, RUN and BEND lines (a job
// written before any route was processed has no RUN or BEND lines and zero counts).

#include <string>
#include <vector>

#include "VexGrdRoute.h"

class VexGrdCablePullFiles {
 public:
  /// The segment data file of `segments`.
  static std::string FormatSegmentFile(const std::vector<VexGrdRouteSegment>& segments);
  /// The job file of a cable of `cableDiameter` (millimetres) along `segments`.
  static std::string FormatJobFile(double cableDiameter,
                                   const std::vector<VexGrdRouteSegment>& segments);
};
