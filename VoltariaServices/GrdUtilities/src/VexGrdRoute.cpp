#include "VexGrdRoute.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

struct End {
  std::size_t element;
  int side;  // 0 first point, 1 last point
};

// Per element, per side: the ends of other elements within the join tolerance.
using Joints = std::vector<std::array<std::vector<End>, 2>>;

struct Piece {
  VexGrdPoint direction;
  double length;
  std::size_t element;
  double Rise() const { return direction.z * length; }
};

double Distance(const VexGrdPoint& a, const VexGrdPoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

const VexGrdPoint& EndPoint(const VexGrdRouteElement& element, int side) {
  return side == 0 ? element.points.front() : element.points.back();
}

Joints FindJoints(const std::vector<VexGrdRouteElement>& elements) {
  Joints joints(elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    for (std::size_t j = i + 1; j < elements.size(); ++j) {
      for (int si = 0; si < 2; ++si) {
        for (int sj = 0; sj < 2; ++sj) {
          if (Distance(EndPoint(elements[i], si), EndPoint(elements[j], sj)) <=
              VexGrdRoute::kJoinTolerance) {
            joints[i][si].push_back({j, sj});
            joints[j][sj].push_back({i, si});
          }
        }
      }
    }
  }
  return joints;
}

bool Branches(const Joints& joints) {
  return std::any_of(joints.begin(), joints.end(),
                     [](const auto& sides) { return sides[0].size() > 1 || sides[1].size() > 1; });
}

// The free end where the route starts: of the first given element that has one.
std::optional<End> StartOf(const Joints& joints) {
  for (std::size_t i = 0; i < joints.size(); ++i) {
    if (joints[i][0].empty()) return End{i, 0};
    if (joints[i][1].empty()) return End{i, 1};
  }
  return std::nullopt;
}

double AngleInDegrees(const VexGrdPoint& a, const VexGrdPoint& b) {
  double cosine = std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.0, 1.0);
  return std::acos(cosine) * 180.0 / std::numbers::pi;
}

std::vector<Piece> PiecesOf(const std::vector<VexGrdRouteElement>& elements) {
  constexpr double kNoLength = 1e-6;  // millimetres: repeated points add no piece
  std::vector<Piece> pieces;
  for (std::size_t e = 0; e < elements.size(); ++e) {
    const auto& points = elements[e].points;
    for (std::size_t v = 0; v + 1 < points.size(); ++v) {
      double length = Distance(points[v], points[v + 1]);
      if (length < kNoLength) continue;
      VexGrdPoint direction{(points[v + 1].x - points[v].x) / length,
                            (points[v + 1].y - points[v].y) / length,
                            (points[v + 1].z - points[v].z) / length};
      pieces.push_back({direction, length, e});
    }
  }
  return pieces;
}

}  // namespace

std::optional<VexGrdRoute> VexGrdRoute::Order(std::vector<VexGrdRouteElement> elements) {
  if (elements.empty()) return std::nullopt;
  bool placeable = std::all_of(elements.begin(), elements.end(),
                               [](const auto& element) { return element.points.size() >= 2; });
  if (!placeable) return VexGrdRoute(std::move(elements), false);

  Joints joints = FindJoints(elements);
  std::optional<End> start = StartOf(joints);
  if (Branches(joints) || !start) return std::nullopt;

  std::vector<bool> placed(elements.size(), false);
  std::vector<VexGrdRouteElement> ordered;
  for (End entry = *start;;) {
    if (placed[entry.element]) return std::nullopt;
    placed[entry.element] = true;
    VexGrdRouteElement element = std::move(elements[entry.element]);
    if (entry.side == 1) std::reverse(element.points.begin(), element.points.end());
    ordered.push_back(std::move(element));
    const auto& onward = joints[entry.element][1 - entry.side];
    if (onward.empty()) break;
    entry = onward.front();
  }
  if (ordered.size() != placed.size()) return std::nullopt;
  return VexGrdRoute(std::move(ordered), true);
}

double VexGrdRoute::LengthOf(const VexGrdRouteElement& element) {
  double length = 0;
  for (std::size_t v = 0; v + 1 < element.points.size(); ++v) {
    length += Distance(element.points[v], element.points[v + 1]);
  }
  return length;
}

double VexGrdRoute::GetLength() const {
  double length = 0;
  for (const auto& element : elements_) length += LengthOf(element);
  return length;
}

int VexGrdRoute::BuildSegments(std::vector<VexGrdRouteSegment>* segments) const {
  segments->clear();
  if (!placed_) return kTooFewPoints;
  std::vector<Piece> pieces = PiecesOf(elements_);
  if (pieces.empty()) return kNoStraightRun;

  std::vector<VexGrdRouteSegment> built;
  VexGrdRouteSegment run{VexGrdRouteSegment::Kind::Run, pieces[0].length, 0, 0,
                         elements_[pieces[0].element].name, pieces[0].Rise()};
  for (std::size_t p = 1; p < pieces.size(); ++p) {
    const Piece& piece = pieces[p];
    const VexGrdRouteElement& element = elements_[piece.element];
    double angle = AngleInDegrees(pieces[p - 1].direction, piece.direction);
    if (angle <= kStraightTolerance) {
      run.length += piece.length;
      run.rise += piece.Rise();
      continue;
    }
    if (angle > kMaxBendAngle + kStraightTolerance) return kFoldedBend;
    built.push_back(run);
    double radius = element.bendRadius > 0 ? element.bendRadius : kDefaultBendRadius;
    built.push_back({VexGrdRouteSegment::Kind::Bend, 0, angle, radius, element.name});
    run = {VexGrdRouteSegment::Kind::Run, piece.length, 0, 0, element.name, piece.Rise()};
  }
  built.push_back(run);
  *segments = std::move(built);
  return kSegmentsBuilt;
}
