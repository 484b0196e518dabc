#include "VexGrdConduit.h"

#include <algorithm>
#include <set>

#include "VexGrdCablePullFiles.h"
#include "VexGrdPathServices.h"
#include "VexGrdProject.h"
#include "VexGrdTextFile.h"
#include "VexGrdUtilitiesInputErr.h"
#include "VexIAECElement.h"
#include "VexMsgCatalog.h"

namespace {

constexpr int kNoRoute = 10;
constexpr int kCannotWrite = 11;

bool IsRouteKind(VexElementKind kind) {
  return kind == VexElementKind::Conduit || kind == VexElementKind::Tray;
}

VexUnicodeString Reason(const char* key, std::vector<VexUnicodeString> parameters) {
  VexMsgCatalog catalog;
  catalog.LoadMsgCatalog("VexGrdUtilitiesErrMsgCat", nullptr);
  VexListValVexUnicodeString values;
  for (auto& parameter : parameters) values.Append(std::move(parameter));
  return catalog.GetCatalogMsg(key).BuildMessage(&values);
}

// Why `object` cannot be part of a cable pull, or nothing.
std::optional<VexUnicodeString> Refusal(const VexBaseUnknown_var& object, int position) {
  VexIAECElement_var element(object);
  if (!element)
    return Reason("ReasonNotAnElement", {VexUnicodeString().ConvertNumToString(position)});
  if (!IsRouteKind(element->GetKind())) {
    return Reason("ReasonNotConduitOrTray",
                  {element->GetName(), VexElementKindName(element->GetKind())});
  }
  if (element->GetRoutePoints().empty()) return Reason("ReasonNoRoute", {element->GetName()});
  return std::nullopt;
}

VexGrdRouteElement RouteElementOf(VexIAECElement& element) {
  VexGrdRouteElement routeElement{element.GetName(), {}, 0};
  for (const auto& point : element.GetRoutePoints()) {
    routeElement.points.push_back({point.x, point.y, point.z});
  }
  routeElement.bendRadius = element.GetNumberAttribute("BendRadius").value_or(0);
  return routeElement;
}

// The plant elements among `elements`, as a set that compares by identity.
std::set<const VexIAECElement*> ElementSet(const VexListValVexBaseUnknown_var* elements) {
  std::set<const VexIAECElement*> set;
  if (!elements) return set;
  for (const auto& object : *elements) {
    VexIAECElement_var element(object);
    if (element) set.insert(element.get());
  }
  return set;
}

}  // namespace

VexGrdConduit::VexGrdConduit(VexGrdProject* project) : project_(project) {}

void VexGrdConduit::SetJobFilePath(const VexUnicodeString& path) { jobFilePath_ = path; }

double VexGrdConduit::CalculateCableDia(const VexListValVexBaseUnknown_var* elements) {
  double largest = 0;
  if (!elements) return 0;
  for (const auto& object : *elements) {
    VexIAECElement_var element(object);
    if (!element) continue;
    largest = std::max(largest, element->GetNumberAttribute("CableDiameter").value_or(0));
  }
  // The Cables tab keeps a measured diameter only when there is one.
  if (largest > 0) measuredOn_ = ElementSet(elements);
  return largest / 1000.0;
}

void VexGrdConduit::SetCableDia(const double& diameter) { cableDiameter_ = diameter; }

int VexGrdConduit::AreSegmentsValidForCablePull(const VexListValVexBaseUnknown_var* elements,
                                                VexListValVexUnicodeString& reasons) {
  if (!elements || elements->Size() == 0) {
    reasons.Append(Reason("ReasonNoElements", {}));
    return 1;
  }
  int refused = 0;
  for (int position = 1; position <= elements->Size(); ++position) {
    if (auto reason = Refusal((*elements)[position], position)) {
      reasons.Append(*reason);
      ++refused;
    }
  }
  return refused == 0 ? 0 : 1;
}

int VexGrdConduit::ProcessConduitSegments(const int mode,
                                          const VexListValVexBaseUnknown_var* elements) {
  route_.reset();
  routeElements_.clear();
  if (mode != 1 || !elements || elements->Size() == 0) return 1;
  std::vector<VexGrdRouteElement> routeElements;
  for (const auto& object : *elements) {
    VexIAECElement_var element(object);
    if (!element || !IsRouteKind(element->GetKind())) return 2;
    routeElements.push_back(RouteElementOf(*element));
  }
  route_ = VexGrdRoute::Order(std::move(routeElements));
  if (route_) routeElements_ = ElementSet(elements);
  return route_ ? 0 : 3;
}

VexUnicodeString VexGrdConduit::GetSegmentFilePath() const {
  VexUnicodeString master = project_ ? project_->GetMasterFilePath() : VexUnicodeString();
  return VexGrdPathServices::GetUserJobFileLocation(master) + kDefaultSegmentFileName;
}

VexUnicodeString VexGrdConduit::GetJobFile(const char* extension) const {
  if (jobFilePath_.IsEmpty()) return {};
  VexUnicodeString directory, baseName;
  VexGrdPathServices::SplitPath(jobFilePath_, &directory, &baseName);
  return directory + baseName + extension;
}

int VexGrdConduit::WriteSegmentData() {
  if (!route_) return kNoRoute;
  std::vector<VexGrdRouteSegment> segments;
  if (int status = route_->BuildSegments(&segments); status != VexGrdRoute::kSegmentsBuilt) {
    return status;
  }
  VexUnicodeString path;
  try {
    path = GetSegmentFilePath();
  } catch (const VexInputError&) {
    return kCannotWrite;  // the job-file folder cannot be made
  }
  bool written = VexGrdTextFile::WriteAtomically(path.str(),
                                                 VexGrdCablePullFiles::FormatSegmentFile(segments));
  return written ? 0 : kCannotWrite;
}

int VexGrdConduit::GenerateGlobalFile() {
  VexUnicodeString jobFile = GetJobFile(".cpd");
  if (jobFile.IsEmpty()) return kNoRoute;
  std::vector<VexGrdRouteSegment> segments;
  bool built = route_ && route_->BuildSegments(&segments) == VexGrdRoute::kSegmentsBuilt;
  // The job pairs the diameter with the route's runs: both must describe the same elements.
  if (built && routeElements_ != measuredOn_) {
    throw VexGrdUtilitiesInputErr(2, "CableDiameterNotOfRoute", {jobFile});
  }
  std::string text = VexGrdCablePullFiles::FormatJobFile(cableDiameter_ * 1000.0, segments);
  if (!VexGrdTextFile::WriteAtomically(jobFile.str(), text)) return kCannotWrite;
  if (built && !VexGrdTextFile::WriteAtomically(GetJobFile(".seg").str(),
                                                VexGrdCablePullFiles::FormatSegmentFile(segments))) {
    return kCannotWrite;
  }
  return 0;
}

double VexGrdConduit::GetTotalLength(const VexListValVexBaseUnknown_var* elements) {
  double total = 0;
  if (!elements) return 0;
  for (const auto& object : *elements) {
    VexIAECElement_var element(object);
    if (element) total += VexGrdRoute::LengthOf(RouteElementOf(*element));
  }
  return total;
}
