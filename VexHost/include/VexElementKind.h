#pragma once
// What a plant element is. The document stores the text name, so the numbering may change.

#include <optional>
#include <string_view>

enum class VexElementKind { Equipment, Conduit, Tray, Cable, Structure, Other };

/// "Equipment", "Conduit", "Tray", "Cable", "Structure" or "Other".
const char* VexElementKindName(VexElementKind kind);
/// The kind called `name` (exact spelling), or nothing.
std::optional<VexElementKind> VexElementKindFromName(std::string_view name);
/// True for kinds laid along a route of points: conduits, trays and cables.
bool VexIsLinearKind(VexElementKind kind);
