#include "VexQtPlantScene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>

#include "VexDocument.h"
#include "VexFrmEditor.h"
#include "VexIAECElement.h"
#include "VexNavigation3DViewer.h"
#include "VexPathElement.h"
#include "VexPlacement.h"
#include "VexPlantElement.h"

namespace {

using Vec = std::array<float, 3>;

Vec Sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec Add(const Vec& a, const Vec& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec Scale(const Vec& a, float s) { return {a[0] * s, a[1] * s, a[2] * s}; }
float Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec Cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
float Length(const Vec& a) { return std::sqrt(Dot(a, a)); }
Vec Unit(const Vec& a) {
  float length = Length(a);
  return length > 0 ? Scale(a, 1 / length) : Vec{0, 0, 0};
}
Vec ToVec(const VexRoutePoint& p) {
  return {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
}

VexColor OwnColor(VexElementKind kind) {
  switch (kind) {
    case VexElementKind::Equipment: return {110, 130, 160};
    case VexElementKind::Conduit: return {150, 150, 150};
    case VexElementKind::Tray: return {170, 140, 90};
    case VexElementKind::Cable: return {60, 60, 60};
    case VexElementKind::Structure: return {190, 190, 180};
    case VexElementKind::Other: return {140, 120, 160};
  }
  return {128, 128, 128};
}

// How thick a linear element is drawn: its cables' diameter with room around them, or a
// typical size of its kind.
float Thickness(VexIAECElement& element) {
  float byKind = element.GetKind() == VexElementKind::Tray ? 300.0f : 100.0f;
  std::optional<double> diameter = element.GetNumberAttribute("CableDiameter");
  if (!diameter || *diameter <= 0) return byKind;
  return std::max(byKind, static_cast<float>(*diameter) * 2.5f);
}

// A segment from `a` to `b` as a box: its length along the segment, `thickness` across it (a
// tray is flat: a third of its width high).
VexQtPlantScene::Box SegmentBox(const Vec& a, const Vec& b, float thickness, bool flat) {
  Vec along = Sub(b, a);
  Vec axis = Unit(along);
  Vec helper = std::fabs(axis[2]) < 0.9f ? Vec{0, 0, 1} : Vec{1, 0, 0};
  Vec side = Unit(Cross(axis, helper));
  Vec up = Cross(side, axis);
  float height = flat ? thickness / 3 : thickness;
  return {Scale(Add(a, b), 0.5f),
          {Scale(along, 0.5f), Scale(side, thickness / 2), Scale(up, height / 2)}};
}

// The distances along the ray at which it enters and leaves an oriented box (slab test in the
// box's frame), or nothing. The box is widened on every side by `widening` per unit of distance
// from the ray's origin.
std::optional<std::array<float, 2>> Hit(const VexQtPlantScene::Box& box, const Vec& origin, const Vec& direction,
                                         float widening) {
  float enter = 0, leave = std::numeric_limits<float>::max();
  Vec toCentre = Sub(box.centre, origin);
  float margin = widening * std::max(Dot(toCentre, direction), 0.0f);
  for (const Vec& half : box.halfAxes) {
    float length = Length(half);
    if (length <= 0) return std::nullopt;
    float extent = length + margin;
    Vec axis = Scale(half, 1 / length);
    float e = Dot(axis, toCentre), f = Dot(axis, direction);
    if (std::fabs(f) > 1e-9f) {
      float t1 = (e - extent) / f, t2 = (e + extent) / f;
      if (t1 > t2) std::swap(t1, t2);
      enter = std::max(enter, t1);
      leave = std::min(leave, t2);
      if (enter > leave) return std::nullopt;
    } else if (std::fabs(e) > extent) {
      return std::nullopt;
    }
  }
  return std::array<float, 2>{enter, leave};
}

// How far along the ray a box shows: where the ray enters it; for a box the ray only passes
// within the aperture, where it passes the box's near side (the widened box's middle, less the
// box's smallest half size), so that widening does not bring a large box nearer.
std::optional<float> Depth(const VexQtPlantScene::Box& box, const Vec& origin, const Vec& direction, float aperture) {
  if (auto met = Hit(box, origin, direction, 0)) return (*met)[0];
  if (aperture <= 0) return std::nullopt;
  auto near = Hit(box, origin, direction, aperture);
  if (!near) return std::nullopt;
  float smallest = std::numeric_limits<float>::max();
  for (const Vec& half : box.halfAxes) smallest = std::min(smallest, Length(half));
  return std::max(((*near)[0] + (*near)[1]) / 2 - smallest, 0.0f);
}

}  // namespace

VexQtPlantScene::VexQtPlantScene(VexDocument& document) {
  for (const auto& element : document.GetElements()) AddElement(VexBaseUnknown_var(element.get()));
  shown_.reserve(elements_.size());
  for (const Element& element : elements_) shown_.push_back(element.ownColor);
}

void VexQtPlantScene::AddElement(VexBaseUnknown_var object) {
  VexIAECElement_var element(object);
  if (!element) return;
  Element entry{object, element->GetName().str(), element->GetKind(), OwnColor(element->GetKind()), {}};
  if (std::optional<VexPlacement> placement = VexGetPlacement(*element)) {
    Vec centre = ToVec(placement->Centre());
    entry.boxes.push_back({centre,
                           {Vec{static_cast<float>(placement->sizeX / 2), 0, 0},
                            Vec{0, static_cast<float>(placement->sizeY / 2), 0},
                            Vec{0, 0, static_cast<float>(placement->sizeZ / 2)}}});
  } else {
    const std::vector<VexRoutePoint>& route = element->GetRoutePoints();
    float thickness = Thickness(*element);
    bool flat = element->GetKind() == VexElementKind::Tray;
    for (std::size_t i = 1; i < route.size(); ++i) {
      if (Length(Sub(ToVec(route[i]), ToVec(route[i - 1]))) > 0) {
        entry.boxes.push_back(SegmentBox(ToVec(route[i - 1]), ToVec(route[i]), thickness, flat));
      }
    }
  }
  if (entry.boxes.empty()) {
    undrawn_.push_back(entry.name);
    return;
  }
  Mesh& mesh = meshes_[static_cast<int>(entry.kind)];
  int index = static_cast<int>(elements_.size());
  entry.firstVertex = static_cast<int>(mesh.positions.size() / 3);
  for (const Box& box : entry.boxes) AppendBox(mesh, box, entry.ownColor);
  indexOf_[entry.object.get()] = index;
  entry.vertexCount = static_cast<int>(mesh.positions.size() / 3) - entry.firstVertex;
  elements_.push_back(std::move(entry));
}

// Six faces of four vertices each (a face keeps its own flat normal), two triangles a face,
// counter-clockwise seen from outside: 24 vertices and 36 indices a box.
void VexQtPlantScene::AppendBox(Mesh& mesh, const Box& box, VexColor color) {
  const float rgb[3] = {color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f};
  for (int axis = 0; axis < 3; ++axis) {
    for (float sign : {1.0f, -1.0f}) {
      const Vec& n = box.halfAxes[axis];
      const Vec& u = box.halfAxes[(axis + 1) % 3];
      const Vec& v = box.halfAxes[(axis + 2) % 3];
      Vec faceCentre = Add(box.centre, Scale(n, sign));
      Vec corners[4] = {Sub(Sub(faceCentre, u), v), Sub(Add(faceCentre, u), v),
                        Add(Add(faceCentre, u), v), Add(Sub(faceCentre, u), v)};
      if (sign < 0) std::swap(corners[1], corners[3]);
      Vec normal = Scale(Unit(n), sign);
      auto first = static_cast<std::uint32_t>(mesh.positions.size() / 3);
      for (const Vec& corner : corners) {
        mesh.positions.insert(mesh.positions.end(), corner.begin(), corner.end());
        mesh.normals.insert(mesh.normals.end(), normal.begin(), normal.end());
        mesh.colors.insert(mesh.colors.end(), rgb, rgb + 3);
      }
      for (std::uint32_t corner : {0u, 1u, 2u, 0u, 2u, 3u}) mesh.indices.push_back(first + corner);
    }
  }
}

std::optional<int> VexQtPlantScene::IndexOf(const VexBaseUnknown_var& object) const {
  auto found = indexOf_.find(VexLeafOf(object).get());
  if (found == indexOf_.end()) return std::nullopt;
  return found->second;
}

std::vector<VexElementKind> VexQtPlantScene::UpdateColors(const VexNavigation3DViewer& viewer) {
  std::unordered_set<const VexBaseUnknown*> highlighted;
  for (const VexBaseUnknown_var& object : viewer.GetHighlightedObjects()) highlighted.insert(VexLeafOf(object).get());
  for (const VexBaseUnknown_var& object : viewer.GetEditor().GetCSO()->GetLeaves()) highlighted.insert(object.get());
  std::array<bool, kKindCount> changed{};
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    Element& element = elements_[i];
    VexColor color = element.ownColor;
    if (highlighted.count(element.object.get())) {
      color = kHighlight;
    } else if (std::optional<VexColor> given = viewer.GetColor(element.object)) {
      color = *given;
    }
    if (color == shown_[i]) continue;
    shown_[i] = color;
    Mesh& mesh = meshes_[static_cast<int>(element.kind)];
    float rgb[3] = {color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f};
    for (int vertex = element.firstVertex; vertex < element.firstVertex + element.vertexCount; ++vertex) {
      std::copy(rgb, rgb + 3, mesh.colors.begin() + vertex * 3);
    }
    changed[static_cast<int>(element.kind)] = true;
  }
  std::vector<VexElementKind> kinds;
  for (int kind = 0; kind < kKindCount; ++kind) {
    if (changed[kind]) kinds.push_back(static_cast<VexElementKind>(kind));
  }
  return kinds;
}

// The nearest element within the aperture wins, as in a pick box: a conduit along a cabinet's
// face, nearer than the face, is taken.
std::optional<int> VexQtPlantScene::Pick(const Vec& origin, const Vec& direction, float aperture) const {
  std::optional<int> nearest;
  float nearestDistance = std::numeric_limits<float>::max();
  Vec unit = Unit(direction);
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    for (const Box& box : elements_[i].boxes) {
      std::optional<float> distance = Depth(box, origin, unit, aperture);
      if (distance && *distance < nearestDistance) {
        nearestDistance = *distance;
        nearest = static_cast<int>(i);
      }
    }
  }
  return nearest;
}

std::array<Vec, 2> VexQtPlantScene::Bounds(const std::vector<int>& indices) const {
  constexpr float kMax = std::numeric_limits<float>::max();
  std::array<Vec, 2> bounds = {Vec{kMax, kMax, kMax}, Vec{-kMax, -kMax, -kMax}};
  auto include = [&bounds](const Element& element) {
    for (const Box& box : element.boxes) {
      for (int axis = 0; axis < 3; ++axis) {
        float reach = 0;
        for (const Vec& half : box.halfAxes) reach += std::fabs(half[axis]);
        bounds[0][axis] = std::min(bounds[0][axis], box.centre[axis] - reach);
        bounds[1][axis] = std::max(bounds[1][axis], box.centre[axis] + reach);
      }
    }
  };
  if (indices.empty()) {
    for (const Element& element : elements_) include(element);
  } else {
    for (int index : indices) include(elements_[index]);
  }
  if (bounds[0][0] > bounds[1][0]) bounds = {Vec{0, 0, 0}, Vec{1000, 1000, 1000}};
  return bounds;
}
