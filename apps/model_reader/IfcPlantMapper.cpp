#include "IfcPlantMapper.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

#include "IfcGeometry.h"
#include "ifcpp/IFC4/include/IfcCableCarrierFitting.h"
#include "ifcpp/IFC4/include/IfcCableCarrierFittingType.h"
#include "ifcpp/IFC4/include/IfcCableCarrierSegment.h"
#include "ifcpp/IFC4/include/IfcCableCarrierSegmentType.h"
#include "ifcpp/IFC4/include/IfcCableCarrierSegmentTypeEnum.h"
#include "ifcpp/IFC4/include/IfcCableSegment.h"
#include "ifcpp/IFC4/include/IfcCableSegmentType.h"
#include "ifcpp/IFC4/include/IfcElectricDistributionBoard.h"
#include "ifcpp/IFC4/include/IfcElectricDistributionBoardType.h"
#include "ifcpp/IFC4/include/IfcElectricGenerator.h"
#include "ifcpp/IFC4/include/IfcElectricGeneratorType.h"
#include "ifcpp/IFC4/include/IfcElectricMotor.h"
#include "ifcpp/IFC4/include/IfcElectricMotorType.h"
#include "ifcpp/IFC4/include/IfcEnergyConversionDevice.h"
#include "ifcpp/IFC4/include/IfcFlowController.h"
#include "ifcpp/IFC4/include/IfcFlowFitting.h"
#include "ifcpp/IFC4/include/IfcFlowSegment.h"
#include "ifcpp/IFC4/include/IfcFlowTerminal.h"
#include "ifcpp/IFC4/include/IfcGloballyUniqueId.h"
#include "ifcpp/IFC4/include/IfcIdentifier.h"
#include "ifcpp/IFC4/include/IfcInteger.h"
#include "ifcpp/IFC4/include/IfcLabel.h"
#include "ifcpp/IFC4/include/IfcLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcLightFixture.h"
#include "ifcpp/IFC4/include/IfcLightFixtureType.h"
#include "ifcpp/IFC4/include/IfcNonNegativeLengthMeasure.h"
#include "ifcpp/IFC4/include/IfcOutlet.h"
#include "ifcpp/IFC4/include/IfcOutletType.h"
#include "ifcpp/IFC4/include/IfcPropertySet.h"
#include "ifcpp/IFC4/include/IfcPropertySingleValue.h"
#include "ifcpp/IFC4/include/IfcProtectiveDevice.h"
#include "ifcpp/IFC4/include/IfcProtectiveDeviceType.h"
#include "ifcpp/IFC4/include/IfcReal.h"
#include "ifcpp/IFC4/include/IfcRelDefinesByProperties.h"
#include "ifcpp/IFC4/include/IfcRelDefinesByType.h"
#include "ifcpp/IFC4/include/IfcSwitchingDevice.h"
#include "ifcpp/IFC4/include/IfcSwitchingDeviceType.h"
#include "ifcpp/IFC4/include/IfcTransformer.h"
#include "ifcpp/IFC4/include/IfcTransformerType.h"
#include "ifcpp/model/BuildingModel.h"

namespace {

enum class Role { Segment, Cable, Fitting, Equipment, None };

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t wide : text) {
    auto c = static_cast<std::uint32_t>(wide);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

template <class T>
std::string Label(const shared_ptr<T>& label) {
  return label ? Utf8(label->m_value) : std::string();
}

// ".CONDUITSEGMENT." -> "CONDUITSEGMENT"
template <class T>
std::string EnumText(const shared_ptr<T>& value) {
  if (!value) return {};
  std::stringstream step;
  value->getStepParameter(step);
  std::string text = step.str();
  text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
  return text;
}

shared_ptr<IfcTypeObject> TypeOf(IfcObject& object) {
  for (const auto& weak : object.m_IsTypedBy_inverse) {
    if (auto relation = weak.lock(); relation && relation->m_RelatingType) return relation->m_RelatingType;
  }
  return nullptr;
}

template <class... Types>
bool IsOneOf(const shared_ptr<IfcTypeObject>& type) {
  return type && (... || (dynamic_cast<Types*>(type.get()) != nullptr));
}

Role RoleOf(IfcElement& element, const shared_ptr<IfcTypeObject>& type) {
  IfcElement* e = &element;
  if (dynamic_cast<IfcCableCarrierSegment*>(e)) return Role::Segment;
  if (dynamic_cast<IfcCableSegment*>(e)) return Role::Cable;
  if (dynamic_cast<IfcCableCarrierFitting*>(e)) return Role::Fitting;
  if (dynamic_cast<IfcElectricDistributionBoard*>(e) || dynamic_cast<IfcTransformer*>(e) ||
      dynamic_cast<IfcElectricMotor*>(e) || dynamic_cast<IfcElectricGenerator*>(e) ||
      dynamic_cast<IfcSwitchingDevice*>(e) || dynamic_cast<IfcProtectiveDevice*>(e) ||
      dynamic_cast<IfcOutlet*>(e) || dynamic_cast<IfcLightFixture*>(e)) {
    return Role::Equipment;
  }
  // The older schema has generic occurrences that their type makes electrical.
  if (dynamic_cast<IfcFlowSegment*>(e)) {
    if (IsOneOf<IfcCableCarrierSegmentType>(type)) return Role::Segment;
    if (IsOneOf<IfcCableSegmentType>(type)) return Role::Cable;
  } else if (dynamic_cast<IfcFlowFitting*>(e)) {
    if (IsOneOf<IfcCableCarrierFittingType>(type)) return Role::Fitting;
  } else if (dynamic_cast<IfcFlowController*>(e)) {
    if (IsOneOf<IfcSwitchingDeviceType, IfcProtectiveDeviceType, IfcElectricDistributionBoardType>(type)) return Role::Equipment;
  } else if (dynamic_cast<IfcFlowTerminal*>(e)) {
    if (IsOneOf<IfcOutletType, IfcLightFixtureType>(type)) return Role::Equipment;
  } else if (dynamic_cast<IfcEnergyConversionDevice*>(e)) {
    if (IsOneOf<IfcTransformerType, IfcElectricMotorType, IfcElectricGeneratorType>(type)) return Role::Equipment;
  }
  return Role::None;
}

VexElementKind SegmentKind(IfcElement& element, const shared_ptr<IfcTypeObject>& type) {
  std::string predefined;
  if (auto* segment = dynamic_cast<IfcCableCarrierSegment*>(&element)) predefined = EnumText(segment->m_PredefinedType);
  if ((predefined.empty() || predefined == "USERDEFINED" || predefined == "NOTDEFINED") && type) {
    if (auto* segmentType = dynamic_cast<IfcCableCarrierSegmentType*>(type.get())) {
      predefined = EnumText(segmentType->m_PredefinedType);
    }
  }
  return predefined == "CONDUITSEGMENT" ? VexElementKind::Conduit : VexElementKind::Tray;
}

// Numeric properties of the element's type, then of the element itself (which win). A length
// measure is in the model's unit; any other number is taken as it stands (millimetres).
std::map<std::string, double> NumericProperties(IfcObject& object, const shared_ptr<IfcTypeObject>& type,
                                                double millimetresPerUnit) {
  std::map<std::string, double> values;
  auto take = [&](const shared_ptr<IfcPropertySet>& set) {
    if (!set) return;
    for (const auto& property : set->m_HasProperties) {
      auto single = dynamic_pointer_cast<IfcPropertySingleValue>(property);
      if (!single || !single->m_Name || !single->m_NominalValue) continue;
      std::string name = Utf8(single->m_Name->m_value);
      if (auto length = dynamic_pointer_cast<IfcLengthMeasure>(single->m_NominalValue)) {
        values[name] = length->m_value * millimetresPerUnit;
      } else if (auto positive = dynamic_pointer_cast<IfcNonNegativeLengthMeasure>(single->m_NominalValue)) {
        values[name] = positive->m_value * millimetresPerUnit;
      } else if (auto real = dynamic_pointer_cast<IfcReal>(single->m_NominalValue)) {
        values[name] = real->m_value;
      } else if (auto integer = dynamic_pointer_cast<IfcInteger>(single->m_NominalValue)) {
        values[name] = integer->m_value;
      }
    }
  };
  if (type) {
    for (const auto& set : type->m_HasPropertySets) take(dynamic_pointer_cast<IfcPropertySet>(set));
  }
  for (const auto& weak : object.m_IsDefinedBy_inverse) {
    if (auto relation = weak.lock()) take(dynamic_pointer_cast<IfcPropertySet>(relation->m_RelatingPropertyDefinition));
  }
  return values;
}

std::optional<double> FirstOf(const std::map<std::string, double>& values, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    auto found = values.find(name);
    if (found != values.end() && std::isfinite(found->second) && found->second > 0) return found->second;
  }
  return std::nullopt;
}

struct Fitting {
  std::string what;
  Box box;
  std::optional<double> bendRadius;
};

struct SegmentEnd {
  std::size_t element;
  bool last;
};

class Mapper {
 public:
  Mapper(const shared_ptr<BuildingModel>& model, const std::map<int, std::string>& dropped)
      : model_(model), geometry_(model), dropped_(dropped) {}

  VexPlantModel Run() {
    if (!geometry_.HasLengthUnit()) {
      plant_.notes.push_back({"the model", "states no length unit; millimetres assumed"});
    }
    for (const auto& [id, entity] : model_->getMapIfcEntities()) {
      if (auto element = dynamic_pointer_cast<IfcElement>(entity)) Map(*element);
    }
    JoinAtFittings();
    for (const auto& [id, type] : dropped_) {
      plant_.skipped.push_back({VexUnicodeString("#" + std::to_string(id) + " " + type),
                                "an entity of the older schema that the IFC library does not read"});
    }
    return std::move(plant_);
  }

 private:
  static std::string Describe(IfcElement& element) {
    std::string text = "#" + std::to_string(element.m_entity_id) + " " + element.className();
    if (element.m_Name) text += " \"" + Utf8(element.m_Name->m_value) + "\"";
    return text;
  }

  void Map(IfcElement& element) {
    shared_ptr<IfcTypeObject> type = TypeOf(element);
    Role role = RoleOf(element, type);
    if (role == Role::None) {
      ++plant_.others[element.className()];
      return;
    }
    std::string what = Describe(element);
    auto properties = NumericProperties(element, type, geometry_.MillimetresPerUnit());
    if (role == Role::Fitting) {
      MapFitting(element, what, properties);
      return;
    }
    VexImportedElement imported;
    imported.name = VexUnicodeString(ElementName(element));
    imported.typeText = VexUnicodeString(TypeText(element, type));
    imported.kind = role == Role::Segment ? SegmentKind(element, type)
                    : role == Role::Cable ? VexElementKind::Cable
                                          : VexElementKind::Equipment;
    if (element.m_GlobalId) imported.Put({kVexSourceIdAttribute, VexUnicodeString(Utf8(element.m_GlobalId->m_value))});
    imported.Put({"SourceType", VexUnicodeString(std::string(element.className()))});
    PutSizes(imported, role, properties);
    std::optional<Frame> frame = geometry_.PlacementOf(element, what);
    if (!frame) {
      plant_.notes.push_back({imported.name, element.m_ObjectPlacement
                                                 ? "its placement is not made of local placements, so it is imported without geometry"
                                                 : "it has no placement, so it is imported without geometry"});
    } else if (role == Role::Equipment) {
      PlaceEquipment(imported, element, *frame, what);
    } else {
      RouteSegment(imported, element, *frame, what);
    }
    plant_.elements.push_back(std::move(imported));
  }

  static std::string ElementName(IfcElement& element) {
    if (std::string name = Label(element.m_Name); !name.empty()) return name;
    if (std::string tag = Label(element.m_Tag); !tag.empty()) return tag;
    return element.m_GlobalId ? Utf8(element.m_GlobalId->m_value) : "#" + std::to_string(element.m_entity_id);
  }

  static std::string TypeText(IfcElement& element, const shared_ptr<IfcTypeObject>& type) {
    if (std::string objectType = Label(element.m_ObjectType); !objectType.empty()) return objectType;
    if (type) {
      if (std::string name = Label(type->m_Name); !name.empty()) return name;
    }
    return element.className();
  }

  static void PutSizes(VexImportedElement& imported, Role role, const std::map<std::string, double>& p) {
    if (role == Role::Cable) {
      if (auto d = FirstOf(p, {"CableDiameter", "OverallDiameter", "OuterDiameter", "NominalDiameter"})) {
        imported.Put({"CableDiameter", *d});
      }
      return;
    }
    // A carrier's own sizes are not the cable's: only a stated cable property gives that.
    if (auto d = FirstOf(p, {"CableDiameter"})) imported.Put({"CableDiameter", *d});
    if (role != Role::Segment) return;
    if (auto r = FirstOf(p, {"BendRadius"})) imported.Put({"BendRadius", *r});
    if (auto w = FirstOf(p, {"NominalWidth", "Width"})) imported.Put({"CarrierWidth", *w});
    if (auto h = FirstOf(p, {"NominalHeight", "Height"})) imported.Put({"CarrierHeight", *h});
    if (auto d = FirstOf(p, {"NominalDiameter", "OuterDiameter", "Diameter"})) imported.Put({"CarrierDiameter", *d});
  }

  void PlaceEquipment(VexImportedElement& imported, IfcElement& element, const Frame& frame, const std::string& what) {
    std::optional<Box> box = geometry_.BodyBox(element, frame, what);
    if (!box) {
      Vec origin = geometry_.InMillimetres(frame.o, what);
      imported.placement = VexPlacement{{origin.x, origin.y, origin.z}, 0, 0, 0};
      plant_.notes.push_back({imported.name, "no body this reader understands, so its placement has no size"});
      return;
    }
    imported.placement = VexPlacement{{box->low.x, box->low.y, box->low.z},
                                      box->high.x - box->low.x, box->high.y - box->low.y, box->high.z - box->low.z};
  }

  void RouteSegment(VexImportedElement& imported, IfcElement& element, const Frame& frame, const std::string& what) {
    std::vector<Vec> route = geometry_.Route(element, frame, what);
    if (route.size() < 2) {
      plant_.notes.push_back({imported.name, "neither an axis nor a body this reader understands, so it has no route"});
      return;
    }
    for (const Vec& p : route) imported.route.push_back({p.x, p.y, p.z});
    for (bool last : {false, true}) ends_.Add(ToVec(last ? imported.route.back() : imported.route.front()),
                                              {plant_.elements.size(), last});
  }

  void MapFitting(IfcElement& element, const std::string& what, const std::map<std::string, double>& properties) {
    ++plant_.others["IfcCableCarrierFitting (a bend of the segments it joins)"];
    std::optional<Frame> frame = geometry_.PlacementOf(element, what);
    std::optional<Box> box = frame ? geometry_.BodyBox(element, *frame, what) : std::nullopt;
    if (!box) {
      plant_.skipped.push_back({VexUnicodeString(what), "a fitting without a placed body joins nothing"});
      return;
    }
    fittings_.push_back({what, *box, FirstOf(properties, {"BendRadius", "NominalBendRadius"})});
  }

  static Vec ToVec(const VexRoutePoint& p) { return {p.x, p.y, p.z}; }

  // A fitting closes the gap between the two segment ends inside its box: both ends move to where
  // the segments' axes meet, so the route has one corner there, bent with the fitting's radius.
  void JoinAtFittings() {
    for (const Fitting& fitting : fittings_) {
      std::vector<SegmentEnd> found = ends_.Within(fitting.box.Grown(1.0));
      if (found.size() != 2 || found[0].element == found[1].element) {
        plant_.skipped.push_back({VexUnicodeString(fitting.what),
                                  VexUnicodeString("it touches " + std::to_string(found.size()) +
                                                   " segment ends, not the ends of two segments")});
        continue;
      }
      if (std::string why = Join(found[0], found[1], fitting.bendRadius); !why.empty()) {
        plant_.skipped.push_back({VexUnicodeString(fitting.what), VexUnicodeString(why)});
      }
    }
  }

  std::string Join(const SegmentEnd& a, const SegmentEnd& b, std::optional<double> statedRadius) {
    auto& routeA = plant_.elements[a.element].route;
    auto& routeB = plant_.elements[b.element].route;
    Vec pa = ToVec(a.last ? routeA.back() : routeA.front());
    Vec pb = ToVec(b.last ? routeB.back() : routeB.front());
    Vec da = Normalized(pa - ToVec(a.last ? routeA[routeA.size() - 2] : routeA[1]));
    Vec db = Normalized(pb - ToVec(b.last ? routeB[routeB.size() - 2] : routeB[1]));
    std::optional<Vec> corner = MeetingPoint(pa, da, pb, db);
    if (!corner) return "the axes of the segments it joins do not meet";
    double tangent = (Length(*corner - pa) + Length(*corner - pb)) / 2;
    double turn = std::acos(std::clamp(Dot(da, db * -1.0), -1.0, 1.0));
    VexRoutePoint point{corner->x, corner->y, corner->z};
    (a.last ? routeA.back() : routeA.front()) = point;
    (b.last ? routeB.back() : routeB.front()) = point;
    double radius = statedRadius ? *statedRadius : turn > 1e-3 ? tangent / std::tan(turn / 2) : 0;
    if (radius > 0) {
      plant_.elements[a.element].Put({"BendRadius", radius});
      plant_.elements[b.element].Put({"BendRadius", radius});
    }
    return {};
  }

  shared_ptr<BuildingModel> model_;
  IfcGeometry geometry_;
  const std::map<int, std::string>& dropped_;
  VexPlantModel plant_;
  std::vector<Fitting> fittings_;
  PointGrid<SegmentEnd> ends_{500.0};
};

}  // namespace

VexPlantModel MapIfcPlant(const std::shared_ptr<BuildingModel>& model, const std::map<int, std::string>& dropped) {
  return Mapper(model, dropped).Run();
}
