#include "VexElementKind.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<VexElementKind, const char*>, 6> kNames{{
    {VexElementKind::Equipment, "Equipment"},
    {VexElementKind::Conduit, "Conduit"},
    {VexElementKind::Tray, "Tray"},
    {VexElementKind::Cable, "Cable"},
    {VexElementKind::Structure, "Structure"},
    {VexElementKind::Other, "Other"},
}};

}  // namespace

const char* VexElementKindName(VexElementKind kind) {
  for (const auto& [k, name] : kNames) {
    if (k == kind) return name;
  }
  return "Other";
}

std::optional<VexElementKind> VexElementKindFromName(std::string_view name) {
  for (const auto& [kind, n] : kNames) {
    if (name == n) return kind;
  }
  return std::nullopt;
}

bool VexIsLinearKind(VexElementKind kind) {
  return kind == VexElementKind::Conduit || kind == VexElementKind::Tray ||
         kind == VexElementKind::Cable;
}
