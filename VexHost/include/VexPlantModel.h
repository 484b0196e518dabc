#pragma once
// A plant model as read from a file to import: its plant elements, what was left out and why,
// and how many entities of other sorts the file held. Readers fill it; VexPlantImport applies it.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "VexElementAttribute.h"
#include "VexElementKind.h"
#include "VexPlacement.h"
#include "VexRoutePoint.h"
#include "VexUnicodeString.h"

/// The text attribute holding the identifier an element has in the model it came from.
inline constexpr const char* kVexSourceIdAttribute = "SourceId";
/// The text attribute naming the model file an element was imported from.
inline constexpr const char* kVexSourceFileAttribute = "SourceFile";

/// Coordinates beyond a thousand kilometres come from a broken file or a unit mistake, not a plant.
inline constexpr double kVexLargestCoordinateMm = 1e9;
inline bool VexIsSensibleCoordinate(double millimetres) {
  return millimetres >= -kVexLargestCoordinateMm && millimetres <= kVexLargestCoordinateMm;
}

struct VexImportedElement {
  VexUnicodeString name;
  VexElementKind kind = VexElementKind::Other;
  VexUnicodeString typeText;
  std::vector<VexRoutePoint> route;
  std::optional<VexPlacement> placement;
  /// In the order read; a later value of the same name replaces an earlier one.
  std::vector<VexElementAttribute> attributes;

  /// The source identifier, when the model gives one.
  std::optional<VexUnicodeString> SourceId() const;
  /// Sets the attribute `name`, replacing an earlier value.
  void Put(VexElementAttribute attribute);
};

/// Something of the model that was not imported, or imported only in part, and why.
struct VexImportRemark {
  VexUnicodeString what;  ///< the element's name, or the entity ("#42 IfcCableSegment")
  VexUnicodeString why;
  friend bool operator==(const VexImportRemark&, const VexImportRemark&) = default;
};

struct VexPlantModel {
  std::vector<VexImportedElement> elements;
  /// Entities left out of the import.
  std::vector<VexImportRemark> skipped;
  /// Elements imported without part of their data (no geometry, say).
  std::vector<VexImportRemark> notes;
  /// Entities that are no plant elements, counted by sort ("IfcWall", "node entries").
  std::map<std::string, long> others;
};
