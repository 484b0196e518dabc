#pragma once
// The geometry the model reader needs of an IFC model: placements composed to world frames, the
// project's length unit, bounding boxes of bodies and routes of segments, in millimetres.

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class BuildingModel;
class IfcElement;
class IfcObjectPlacement;
class IfcRepresentationItem;

struct Vec {
  double x = 0, y = 0, z = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec operator*(Vec a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec a) { return std::sqrt(Dot(a, a)); }
inline Vec Normalized(Vec a) {
  double length = Length(a);
  return length > 1e-12 ? a * (1 / length) : Vec{};
}

/// A coordinate system: origin and axes (not necessarily unit: a mapping may scale).
struct Frame {
  Vec o;
  Vec x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
  Vec Apply(Vec p) const { return o + x * p.x + y * p.y + z * p.z; }
  Vec Turn(Vec d) const { return x * d.x + y * d.y + z * d.z; }
  /// The frame of `inner`, given in this frame, in this frame's parent.
  Frame Then(const Frame& inner) const { return {Apply(inner.o), Turn(inner.x), Turn(inner.y), Turn(inner.z)}; }
};

struct Box {
  Vec low{HUGE_VAL, HUGE_VAL, HUGE_VAL};
  Vec high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  bool IsEmpty() const { return low.x > high.x; }
  void Add(Vec p) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  bool Contains(Vec p) const {
    return p.x >= low.x && p.x <= high.x && p.y >= low.y && p.y <= high.y && p.z >= low.z && p.z <= high.z;
  }
  Box Grown(double by) const { return {low - Vec{by, by, by}, high + Vec{by, by, by}}; }
};

/// Where two rays from the ends `pa` and `pb`, going on along `da` and `db`, meet within 1 mm
/// (the middle of their nearest points; for one straight line, the middle of the ends).
std::optional<Vec> MeetingPoint(Vec pa, Vec da, Vec pb, Vec db);

/// Points kept in cubic cells, so that the points in a small box are found without a scan.
template <class T>
class PointGrid {
 public:
  explicit PointGrid(double cell) : cell_(cell) {}
  void Add(Vec p, T value) { cells_[Key(p)].push_back({p, std::move(value)}); }
  std::vector<T> Within(const Box& box) const {
    std::vector<T> found;
    auto low = Cell(box.low), high = Cell(box.high);
    for (std::int64_t i = low[0]; i <= high[0]; ++i)
      for (std::int64_t j = low[1]; j <= high[1]; ++j)
        for (std::int64_t k = low[2]; k <= high[2]; ++k) {
          auto cell = cells_.find(Pack(i, j, k));
          if (cell == cells_.end()) continue;
          for (const auto& [p, value] : cell->second)
            if (box.Contains(p)) found.push_back(value);
        }
    return found;
  }

 private:
  std::array<std::int64_t, 3> Cell(Vec p) const {
    return {static_cast<std::int64_t>(std::floor(p.x / cell_)), static_cast<std::int64_t>(std::floor(p.y / cell_)),
            static_cast<std::int64_t>(std::floor(p.z / cell_))};
  }
  static std::uint64_t Pack(std::int64_t i, std::int64_t j, std::int64_t k) {
    auto part = [](std::int64_t v) { return static_cast<std::uint64_t>(v & 0x1FFFFF); };
    return part(i) << 42 | part(j) << 21 | part(k);
  }
  std::uint64_t Key(Vec p) const {
    auto c = Cell(p);
    return Pack(c[0], c[1], c[2]);
  }
  double cell_;
  std::unordered_map<std::uint64_t, std::vector<std::pair<Vec, T>>> cells_;
};

class IfcGeometry {
 public:
  explicit IfcGeometry(const std::shared_ptr<BuildingModel>& model);

  bool HasLengthUnit() const { return hasLengthUnit_; }
  double MillimetresPerUnit() const { return millimetresPerUnit_; }

  /// The element's world frame (model units), or nothing when it has no placement of local
  /// placements (a grid placement, say).
  std::optional<Frame> PlacementOf(IfcElement& element, const std::string& what);
  /// The world box of the element's body in millimetres, or nothing.
  std::optional<Box> BodyBox(IfcElement& element, const Frame& frame, const std::string& what);
  /// The route in world millimetres: from the axis representation, else from the body.
  std::vector<Vec> Route(IfcElement& element, const Frame& frame, const std::string& what);
  /// A world point in millimetres; out of any plant raises std::runtime_error naming `what`.
  Vec InMillimetres(Vec modelPoint, const std::string& what) const;

 private:
  Frame ComposedPlacement(IfcObjectPlacement* placement, const std::string& what, int depth);

  bool hasLengthUnit_ = false;
  double millimetresPerUnit_ = 1.0;
  std::unordered_map<IfcObjectPlacement*, Frame> placements_;
};
