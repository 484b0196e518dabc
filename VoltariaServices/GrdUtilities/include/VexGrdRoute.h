#pragma once
// A cable route: conduits and trays ordered into one continuous path, and its straight runs and
// bends.
//
// Ordering. Elements join where an end point of one lies within 1 mm (kJoinTolerance) of an end
// point of another; they may be given in any order and either way round. The route starts at the
// free end of the first given element that has one (its first point when both ends are free) and
// follows the joints; each element is turned to run along the route. Elements that branch (an
// end touching two others), close a loop or leave a gap form no route. An element with fewer than
// two points cannot be placed: the elements are then kept as given, and the segments report it
// (status 20).
//
// Segments. Consecutive pieces whose directions differ by at most 0.5 degrees
// (kStraightTolerance) form one straight run, also across a joint; anywhere else the route
// bends. A run's length is measured between the route's corner points, in millimetres. A bend has
// the angle between the two directions, in degrees, and the "BendRadius" of the element the route
// enters at the bend, or kDefaultBendRadius. A run's rise is the height its end lies above its
// start (negative when it goes down), for the cable-pull tensions. Statuses of BuildSegments:
//   0  the segments are built;
//   20 an element has fewer than two route points;
//   30 the route has no straight run (all its points coincide);
//   40 the route turns by more than 90 degrees at one point (with the same 0.5 degree tolerance):
//      a fold that a cable cannot be pulled around.

#include <optional>
#include <vector>

#include "VexGrdRouteElement.h"
#include "VexUnicodeString.h"

/// One straight run or bend of a route.
struct VexGrdRouteSegment {
  enum class Kind { Run, Bend };
  Kind kind = Kind::Run;
  double length = 0;         ///< run length in millimetres
  double angle = 0;          ///< bend angle in degrees
  double radius = 0;         ///< bend radius in millimetres
  VexUnicodeString element;  ///< the element where the run starts or the bend lies
  double rise = 0;           ///< run: height gained along the route, in millimetres
};

class VexGrdRoute {
 public:
  static constexpr double kJoinTolerance = 1.0;        ///< millimetres
  static constexpr double kStraightTolerance = 0.5;    ///< degrees
  static constexpr double kMaxBendAngle = 90.0;        ///< degrees
  static constexpr double kDefaultBendRadius = 300.0;  ///< millimetres

  static constexpr int kSegmentsBuilt = 0;
  static constexpr int kTooFewPoints = 20;
  static constexpr int kNoStraightRun = 30;
  static constexpr int kFoldedBend = 40;

  /// Orders `elements` into one route; nothing when they do not form one (or there are none).
  static std::optional<VexGrdRoute> Order(std::vector<VexGrdRouteElement> elements);

  /// Length of one element's route, in millimetres.
  static double LengthOf(const VexGrdRouteElement& element);

  /// The elements in route order, each with its points along the route.
  const std::vector<VexGrdRouteElement>& GetElements() const { return elements_; }
  /// Sum of the elements' lengths, in millimetres.
  double GetLength() const;

  /// Fills `segments` with the runs and bends in route order; returns a status (see above).
  /// `segments` is left empty unless the status is 0.
  int BuildSegments(std::vector<VexGrdRouteSegment>* segments) const;

 private:
  VexGrdRoute(std::vector<VexGrdRouteElement> elements, bool placed)
      : elements_(std::move(elements)), placed_(placed) {}

  std::vector<VexGrdRouteElement> elements_;
  bool placed_;  // false when an element too short to place kept the given order
};
