#pragma once
// Where a piece of equipment stands: a box aligned with the world axes, given by its origin (the
// corner with the smallest coordinates) and its size, in millimetres in plant coordinates. It is
// kept as number attributes of the element, so it is saved, undone and reloaded like any other
// element data, and documents written before it existed simply have none.

#include <array>
#include <cmath>
#include <optional>

#include "VexDocument.h"
#include "VexIAECElement.h"

struct VexPlacement {
  VexRoutePoint origin;
  double sizeX = 0.0;
  double sizeY = 0.0;
  double sizeZ = 0.0;

  VexRoutePoint Centre() const {
    return {origin.x + sizeX / 2, origin.y + sizeY / 2, origin.z + sizeZ / 2};
  }
  friend bool operator==(const VexPlacement&, const VexPlacement&) = default;
};

/// The attribute names that hold a placement, in the order origin x y z, size x y z.
inline const std::array<const char*, 6>& VexPlacementAttributeNames() {
  static const std::array<const char*, 6> names = {"PlacementX", "PlacementY", "PlacementZ",
                                                   "PlacementSizeX", "PlacementSizeY",
                                                   "PlacementSizeZ"};
  return names;
}

/// The element's placement, or nothing when it has none (or only part of one).
inline std::optional<VexPlacement> VexGetPlacement(VexIAECElement& element) {
  std::array<double, 6> v{};
  for (std::size_t i = 0; i < v.size(); ++i) {
    std::optional<double> value = element.GetNumberAttribute(VexPlacementAttributeNames()[i]);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    v[i] = *value;
  }
  return VexPlacement{{v[0], v[1], v[2]}, v[3], v[4], v[5]};
}

/// Stores the placement as the element's data; needs a transaction like any element change.
inline void VexSetPlacement(VexDocument& document, VexIAECElement& element,
                            const VexPlacement& placement) {
  const std::array<double, 6> v = {placement.origin.x, placement.origin.y, placement.origin.z,
                                   placement.sizeX,    placement.sizeY,    placement.sizeZ};
  for (std::size_t i = 0; i < v.size(); ++i)
    document.SetNumberAttribute(element, VexPlacementAttributeNames()[i], v[i]);
}

/// Removes the placement; false when the element had none of its attributes.
inline bool VexRemovePlacement(VexDocument& document, VexIAECElement& element) {
  bool removed = false;
  for (const char* name : VexPlacementAttributeNames())
    removed = document.RemoveAttribute(element, name) || removed;
  return removed;
}
