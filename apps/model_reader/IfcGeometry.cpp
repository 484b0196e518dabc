#include "IfcGeometry.h"

#include <array>
#include <sstream>
#include <stdexcept>

#include "VexPlantModel.h"
#include "ifcpp/IFC4/include/IfcArbitraryClosedProfileDef.h"
#include "ifcpp/IFC4/include/IfcAxis2Placement2D.h"
#include "ifcpp/IFC4/include/IfcAxis2Placement3D.h"
#include "ifcpp/IFC4/include/IfcBoundingBox.h"
#include "ifcpp/IFC4/include/IfcCartesianPoint.h"
#include "ifcpp/IFC4/include/IfcCartesianTransformationOperator3D.h"
#include "ifcpp/IFC4/include/IfcCircleProfileDef.h"
#include "ifcpp/IFC4/include/IfcClosedShell.h"
#include "ifcpp/IFC4/include/IfcConversionBasedUnit.h"
#include "ifcpp/IFC4/include/IfcDirection.h"
#include "ifcpp/IFC4/include/IfcElement.h"
#include "ifcpp/IFC4/include/IfcExtrudedAreaSolid.h"
#include "ifcpp/IFC4/include/IfcFace.h"
#include "ifcpp/IFC4/include/IfcFaceBound.h"
#include "ifcpp/IFC4/include/IfcLabel.h"
#include "ifcpp/IFC4/include/IfcLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcLocalPlacement.h"
#include "ifcpp/IFC4/include/IfcManifoldSolidBrep.h"
#include "ifcpp/IFC4/include/IfcMappedItem.h"
#include "ifcpp/IFC4/include/IfcMeasureWithUnit.h"
#include "ifcpp/IFC4/include/IfcPolyLoop.h"
#include "ifcpp/IFC4/include/IfcPolyline.h"
#include "ifcpp/IFC4/include/IfcPositiveLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcProductRepresentation.h"
#include "ifcpp/IFC4/include/IfcProject.h"
#include "ifcpp/IFC4/include/IfcRatioMeasure.h"
#include "ifcpp/IFC4/include/IfcReal.h"
#include "ifcpp/IFC4/include/IfcRectangleProfileDef.h"
#include "ifcpp/IFC4/include/IfcRepresentation.h"
#include "ifcpp/IFC4/include/IfcRepresentationMap.h"
#include "ifcpp/IFC4/include/IfcSIPrefix.h"
#include "ifcpp/IFC4/include/IfcSIUnit.h"
#include "ifcpp/IFC4/include/IfcSIUnitName.h"
#include "ifcpp/IFC4/include/IfcSweptDiskSolid.h"
#include "ifcpp/IFC4/include/IfcUnitAssignment.h"
#include "ifcpp/IFC4/include/IfcUnitEnum.h"
#include "ifcpp/model/BuildingModel.h"

namespace {

struct UnreadPlacement {};

constexpr int kDeepest = 64;  // placements and mappings nest a few levels; a loop would not end

std::string EnumText(const BuildingObject* value) {
  if (!value) return {};
  std::stringstream step;
  value->getStepParameter(step);
  std::string text;
  for (char c : step.str())
    if (c != '.') text += c;
  return text;
}

Vec PointOf(const shared_ptr<IfcCartesianPoint>& point) {
  Vec p;
  if (!point) return p;
  const auto& c = point->m_Coordinates;
  if (c.size() > 0 && c[0]) p.x = c[0]->m_value;
  if (c.size() > 1 && c[1]) p.y = c[1]->m_value;
  if (c.size() > 2 && c[2]) p.z = c[2]->m_value;
  return p;
}

std::optional<Vec> DirectionOf(const shared_ptr<IfcDirection>& direction) {
  if (!direction) return std::nullopt;
  Vec d;
  const auto& r = direction->m_DirectionRatios;
  if (r.size() > 0 && r[0]) d.x = r[0]->m_value;
  if (r.size() > 1 && r[1]) d.y = r[1]->m_value;
  if (r.size() > 2 && r[2]) d.z = r[2]->m_value;
  if (Length(d) < 1e-12 || !std::isfinite(Length(d))) return std::nullopt;
  return Normalized(d);
}

// Axes from a main axis and a reference direction, as the schema builds them.
Frame Axes(Vec origin, std::optional<Vec> axis, std::optional<Vec> reference) {
  Frame f;
  f.o = origin;
  f.z = axis.value_or(Vec{0, 0, 1});
  Vec x = reference.value_or(std::abs(f.z.x) < 0.9 ? Vec{1, 0, 0} : Vec{0, 1, 0});
  x = x - f.z * Dot(x, f.z);
  if (Length(x) < 1e-9) x = std::abs(f.z.x) < 0.9 ? Vec{1, 0, 0} - f.z * f.z.x : Vec{0, 1, 0} - f.z * f.z.y;
  f.x = Normalized(x);
  f.y = Cross(f.z, f.x);
  return f;
}

Frame FrameOf(const shared_ptr<IfcAxis2Placement>& placement) {
  if (auto p3 = dynamic_pointer_cast<IfcAxis2Placement3D>(placement)) {
    return Axes(PointOf(p3->m_Location), DirectionOf(p3->m_Axis), DirectionOf(p3->m_RefDirection));
  }
  if (auto p2 = dynamic_pointer_cast<IfcAxis2Placement2D>(placement)) {
    return Axes(PointOf(p2->m_Location), std::nullopt, DirectionOf(p2->m_RefDirection));
  }
  return {};
}

Frame FrameOf(const shared_ptr<IfcCartesianTransformationOperator>& target) {
  if (!target) return {};
  std::optional<Vec> axis3;
  if (auto t3 = dynamic_pointer_cast<IfcCartesianTransformationOperator3D>(target)) axis3 = DirectionOf(t3->m_Axis3);
  Frame f = Axes(PointOf(target->m_LocalOrigin), axis3, DirectionOf(target->m_Axis1));
  double scale = target->m_Scale ? target->m_Scale->m_value : 1.0;
  f.x = f.x * scale;
  f.y = f.y * scale;
  f.z = f.z * scale;
  return f;
}

// The profile's outline (corners) and centre, in the plane of its solid.
struct Profile {
  std::vector<Vec> outline;
  Vec centre;
};

std::optional<Profile> ProfileOf(const shared_ptr<IfcProfileDef>& profile) {
  Profile out;
  if (auto rectangle = dynamic_pointer_cast<IfcRectangleProfileDef>(profile)) {
    if (!rectangle->m_XDim || !rectangle->m_YDim) return std::nullopt;
    Frame at = FrameOf(rectangle->m_Position);
    double hx = rectangle->m_XDim->m_value / 2, hy = rectangle->m_YDim->m_value / 2;
    for (Vec c : {Vec{-hx, -hy, 0}, Vec{hx, -hy, 0}, Vec{hx, hy, 0}, Vec{-hx, hy, 0}}) out.outline.push_back(at.Apply(c));
    out.centre = at.o;
    return out;
  }
  if (auto circle = dynamic_pointer_cast<IfcCircleProfileDef>(profile)) {
    if (!circle->m_Radius) return std::nullopt;
    Frame at = FrameOf(circle->m_Position);
    double r = circle->m_Radius->m_value;
    for (Vec c : {Vec{-r, -r, 0}, Vec{r, -r, 0}, Vec{r, r, 0}, Vec{-r, r, 0}}) out.outline.push_back(at.Apply(c));
    out.centre = at.o;
    return out;
  }
  if (auto arbitrary = dynamic_pointer_cast<IfcArbitraryClosedProfileDef>(profile)) {
    auto polyline = dynamic_pointer_cast<IfcPolyline>(arbitrary->m_OuterCurve);
    if (!polyline || polyline->m_Points.empty()) return std::nullopt;
    Box box;
    for (const auto& point : polyline->m_Points) {
      out.outline.push_back(PointOf(point));
      box.Add(out.outline.back());
    }
    out.centre = (box.low + box.high) * 0.5;
    return out;
  }
  return std::nullopt;
}

std::vector<Vec> PolylinePoints(const shared_ptr<IfcCurve>& curve, const Frame& frame) {
  std::vector<Vec> points;
  if (auto polyline = dynamic_pointer_cast<IfcPolyline>(curve)) {
    for (const auto& point : polyline->m_Points) points.push_back(frame.Apply(PointOf(point)));
  }
  return points;
}

std::string Identifier(const IfcRepresentation& representation) {
  return representation.m_RepresentationIdentifier ? std::string(representation.m_RepresentationIdentifier->m_value.begin(),
                                                                 representation.m_RepresentationIdentifier->m_value.end())
                                                   : std::string();
}

bool IsBody(const IfcRepresentation& representation) {
  std::string id = Identifier(representation);
  return id != "Axis" && id != "FootPrint" && id != "Annotation" && id != "Reference" && id != "Profile";
}

template <class Visit>
void ForRepresentations(IfcElement& element, Visit visit) {
  if (!element.m_Representation) return;
  for (const auto& representation : element.m_Representation->m_Representations) {
    if (representation) visit(*representation);
  }
}

// Adds the points that bound `item` (in `frame`) to `box`.
void BoundItem(const shared_ptr<IfcRepresentationItem>& item, const Frame& frame, Box& box, int depth) {
  if (depth > kDeepest) throw std::runtime_error("its representation maps nest without end");
  if (auto extruded = dynamic_pointer_cast<IfcExtrudedAreaSolid>(item)) {
    auto profile = ProfileOf(extruded->m_SweptArea);
    auto direction = DirectionOf(extruded->m_ExtrudedDirection);
    if (!profile || !direction || !extruded->m_Depth) return;
    Frame at = frame.Then(FrameOf(extruded->m_Position));
    for (Vec c : profile->outline) {
      box.Add(at.Apply(c));
      box.Add(at.Apply(c + *direction * extruded->m_Depth->m_value));
    }
  } else if (auto disk = dynamic_pointer_cast<IfcSweptDiskSolid>(item)) {
    double r = disk->m_Radius ? disk->m_Radius->m_value * Length(frame.x) : 0;
    for (Vec p : PolylinePoints(disk->m_Directrix, frame)) {
      box.Add(p - Vec{r, r, r});
      box.Add(p + Vec{r, r, r});
    }
  } else if (auto bounding = dynamic_pointer_cast<IfcBoundingBox>(item)) {
    Vec c = PointOf(bounding->m_Corner);
    double dx = bounding->m_XDim ? bounding->m_XDim->m_value : 0, dy = bounding->m_YDim ? bounding->m_YDim->m_value : 0,
           dz = bounding->m_ZDim ? bounding->m_ZDim->m_value : 0;
    for (int corner = 0; corner < 8; ++corner) {
      box.Add(frame.Apply(c + Vec{corner & 1 ? dx : 0, corner & 2 ? dy : 0, corner & 4 ? dz : 0}));
    }
  } else if (auto brep = dynamic_pointer_cast<IfcManifoldSolidBrep>(item)) {
    if (!brep->m_Outer) return;
    for (const auto& face : brep->m_Outer->m_CfsFaces) {
      if (!face) continue;
      for (const auto& bound : face->m_Bounds) {
        auto loop = bound ? dynamic_pointer_cast<IfcPolyLoop>(bound->m_Bound) : nullptr;
        if (!loop) continue;
        for (const auto& point : loop->m_Polygon) box.Add(frame.Apply(PointOf(point)));
      }
    }
  } else if (auto mapped = dynamic_pointer_cast<IfcMappedItem>(item)) {
    const auto& source = mapped->m_MappingSource;
    if (!source || !source->m_MappedRepresentation) return;
    Frame inner = frame.Then(FrameOf(mapped->m_MappingTarget)).Then(FrameOf(source->m_MappingOrigin));
    for (const auto& sub : source->m_MappedRepresentation->m_Items) BoundItem(sub, inner, box, depth + 1);
  } else if (auto polyline = dynamic_pointer_cast<IfcPolyline>(item)) {
    for (Vec p : PolylinePoints(polyline, frame)) box.Add(p);
  }
}

// The centre line of a body item: an extrusion's profile centre swept along its depth, a swept
// disk's directrix.
std::vector<Vec> ItemAxis(const shared_ptr<IfcRepresentationItem>& item, const Frame& frame, int depth) {
  if (depth > kDeepest) throw std::runtime_error("its representation maps nest without end");
  if (auto extruded = dynamic_pointer_cast<IfcExtrudedAreaSolid>(item)) {
    auto profile = ProfileOf(extruded->m_SweptArea);
    auto direction = DirectionOf(extruded->m_ExtrudedDirection);
    if (!profile || !direction || !extruded->m_Depth) return {};
    Frame at = frame.Then(FrameOf(extruded->m_Position));
    return {at.Apply(profile->centre), at.Apply(profile->centre + *direction * extruded->m_Depth->m_value)};
  }
  if (auto disk = dynamic_pointer_cast<IfcSweptDiskSolid>(item)) return PolylinePoints(disk->m_Directrix, frame);
  if (auto mapped = dynamic_pointer_cast<IfcMappedItem>(item)) {
    const auto& source = mapped->m_MappingSource;
    if (!source || !source->m_MappedRepresentation) return {};
    Frame inner = frame.Then(FrameOf(mapped->m_MappingTarget)).Then(FrameOf(source->m_MappingOrigin));
    for (const auto& sub : source->m_MappedRepresentation->m_Items) {
      if (auto axis = ItemAxis(sub, inner, depth + 1); axis.size() >= 2) return axis;
    }
  }
  return {};
}

// Millimetres per unit of an SI length unit: its prefix.
std::optional<double> SiLengthInMillimetres(const IfcSIUnit& unit) {
  if (EnumText(unit.m_Name.get()) != "METRE") return std::nullopt;
  static const std::map<std::string, double> prefixes = {
      {"", 1000},   {"KILO", 1e6}, {"HECTO", 1e5}, {"DECA", 1e4}, {"DECI", 100},
      {"CENTI", 10}, {"MILLI", 1},  {"MICRO", 1e-3}, {"NANO", 1e-6}};
  auto found = prefixes.find(EnumText(unit.m_Prefix.get()));
  return found != prefixes.end() ? std::optional<double>(found->second) : std::nullopt;
}

std::optional<double> LengthUnitInMillimetres(const shared_ptr<IfcUnit>& unit) {
  if (auto si = dynamic_pointer_cast<IfcSIUnit>(unit)) return SiLengthInMillimetres(*si);
  auto converted = dynamic_pointer_cast<IfcConversionBasedUnit>(unit);
  if (!converted || !converted->m_ConversionFactor) return std::nullopt;
  const auto& factor = converted->m_ConversionFactor;
  std::optional<double> value;
  if (auto length = dynamic_pointer_cast<IfcLengthMeasure>(factor->m_ValueComponent)) value = length->m_value;
  if (auto ratio = dynamic_pointer_cast<IfcRatioMeasure>(factor->m_ValueComponent)) value = ratio->m_value;
  if (auto real = dynamic_pointer_cast<IfcReal>(factor->m_ValueComponent)) value = real->m_value;
  auto base = dynamic_pointer_cast<IfcSIUnit>(factor->m_UnitComponent);
  std::optional<double> baseMm = base ? SiLengthInMillimetres(*base) : std::nullopt;
  if (!value || !baseMm || !(*value > 0)) return std::nullopt;
  return *value * *baseMm;
}

}  // namespace

std::optional<Vec> MeetingPoint(Vec pa, Vec da, Vec pb, Vec db) {
  constexpr double kTolerance = 1.0;
  Vec w = pa - pb;
  double b = Dot(da, db), d = Dot(da, w), e = Dot(db, w);
  double denominator = 1 - b * b;
  if (denominator < 1e-9) {  // one straight line: a coupling
    Vec offset = w - da * Dot(w, da);
    if (Length(offset) > kTolerance) return std::nullopt;
    return (pa + pb) * 0.5;
  }
  double s = (b * e - d) / denominator;
  double t = (e - b * d) / denominator;
  Vec onA = pa + da * s, onB = pb + db * t;
  if (Length(onA - onB) > kTolerance || s < -kTolerance || t < -kTolerance) return std::nullopt;
  return (onA + onB) * 0.5;
}

IfcGeometry::IfcGeometry(const std::shared_ptr<BuildingModel>& model) {
  shared_ptr<IfcProject> project = model->getIfcProject();
  if (!project || !project->m_UnitsInContext) return;
  for (const auto& unit : project->m_UnitsInContext->m_Units) {
    auto named = dynamic_pointer_cast<IfcNamedUnit>(unit);
    if (!named || EnumText(named->m_UnitType.get()) != "LENGTHUNIT") continue;
    std::optional<double> millimetres = LengthUnitInMillimetres(unit);
    if (!millimetres) {
      throw std::runtime_error("its length unit (#" + std::to_string(named->m_entity_id) + ") is not one this reader knows");
    }
    millimetresPerUnit_ = *millimetres;
    hasLengthUnit_ = true;
  }
}

Frame IfcGeometry::ComposedPlacement(IfcObjectPlacement* placement, const std::string& what, int depth) {
  if (depth > kDeepest) throw std::runtime_error(what + ": its placements nest without end");
  auto cached = placements_.find(placement);
  if (cached != placements_.end()) return cached->second;
  auto* local = dynamic_cast<IfcLocalPlacement*>(placement);
  if (!local) throw UnreadPlacement();
  Frame relative = FrameOf(local->m_RelativePlacement);
  Frame world = local->m_PlacementRelTo ? ComposedPlacement(local->m_PlacementRelTo.get(), what, depth + 1).Then(relative)
                                        : relative;
  placements_.emplace(placement, world);
  return world;
}

std::optional<Frame> IfcGeometry::PlacementOf(IfcElement& element, const std::string& what) {
  if (!element.m_ObjectPlacement) return std::nullopt;
  try {
    return ComposedPlacement(element.m_ObjectPlacement.get(), what, 0);
  } catch (const UnreadPlacement&) {
    return std::nullopt;  // a grid placement, say: the element comes without geometry
  }
}

Vec IfcGeometry::InMillimetres(Vec p, const std::string& what) const {
  Vec mm = p * millimetresPerUnit_;
  for (double c : {mm.x, mm.y, mm.z}) {
    if (!std::isfinite(c) || !VexIsSensibleCoordinate(c)) {
      std::ostringstream text;
      text << what << ": a coordinate of " << c << " mm lies out of any plant (more than 1000 km away)";
      throw std::runtime_error(text.str());
    }
  }
  return mm;
}

std::optional<Box> IfcGeometry::BodyBox(IfcElement& element, const Frame& frame, const std::string& what) {
  Box box;
  try {
    ForRepresentations(element, [&](IfcRepresentation& representation) {
      if (!IsBody(representation)) return;
      for (const auto& item : representation.m_Items) BoundItem(item, frame, box, 0);
    });
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(what + ": " + error.what());
  }
  if (box.IsEmpty()) return std::nullopt;
  return Box{InMillimetres(box.low, what), InMillimetres(box.high, what)};
}

std::vector<Vec> IfcGeometry::Route(IfcElement& element, const Frame& frame, const std::string& what) {
  std::vector<Vec> axis;
  ForRepresentations(element, [&](IfcRepresentation& representation) {
    if (Identifier(representation) != "Axis" || !axis.empty()) return;
    for (const auto& item : representation.m_Items) {
      if (auto points = PolylinePoints(dynamic_pointer_cast<IfcCurve>(item), frame); points.size() >= 2) {
        axis = points;
        return;
      }
    }
  });
  try {
    ForRepresentations(element, [&](IfcRepresentation& representation) {
      if (!axis.empty() || !IsBody(representation)) return;
      for (const auto& item : representation.m_Items) {
        if (auto points = ItemAxis(item, frame, 0); points.size() >= 2) {
          axis = points;
          return;
        }
      }
    });
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(what + ": " + error.what());
  }
  for (Vec& p : axis) p = InMillimetres(p, what);
  return axis;
}
