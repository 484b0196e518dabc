#pragma once
// One point of a linear plant element's route, in millimetres in plant coordinates.

struct VexRoutePoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  friend bool operator==(const VexRoutePoint&, const VexRoutePoint&) = default;
};
