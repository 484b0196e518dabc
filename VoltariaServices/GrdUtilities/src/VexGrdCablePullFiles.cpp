#include "VexGrdCablePullFiles.h"

#include <cstdio>

namespace {

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

// The counts and the RUN and BEND lines that both files share.
std::string SegmentLines(const std::vector<VexGrdRouteSegment>& segments) {
  double total = 0;
  int runs = 0;
  int bends = 0;
  std::string lines;
  for (const auto& segment : segments) {
    if (segment.kind == VexGrdRouteSegment::Kind::Run) {
      total += segment.length;
      lines += "RUN " + std::to_string(++runs) + " " + Number(segment.length) + " " +
               Number(segment.rise) + " " + segment.element.str() + "\n";
    } else {
      lines += "BEND " + std::to_string(++bends) + " " + Number(segment.angle) + " " +
               Number(segment.radius) + " " + segment.element.str() + "\n";
    }
  }
  return "TotalLength=" + Number(total) + "\nRuns=" + std::to_string(runs) +
         "\nBends=" + std::to_string(bends) + "\n" + lines;
}

constexpr const char* kUnitsComment =
    "# Lengths, diameters and radii in millimetres, angles in degrees.\n"
    "# RUN <number> <length> <rise> <element>; BEND <number> <angle> <radius> <element>\n";

}  // namespace

std::string VexGrdCablePullFiles::FormatSegmentFile(
    const std::vector<VexGrdRouteSegment>& segments) {
  return std::string("EDSA-SEGMENTS 2\n# Cable route segments written by Voltaria.\n") +
         kUnitsComment + SegmentLines(segments);
}

std::string VexGrdCablePullFiles::FormatJobFile(double cableDiameter,
                                                const std::vector<VexGrdRouteSegment>& segments) {
  return std::string("EDSA-CABLEPULL 2\n# Cable-pull job written by Voltaria.\n") + kUnitsComment +
         "CableDiameter=" + Number(cableDiameter) + "\n" + SegmentLines(segments);
}
