#include "VexPlantElementLoader.h"

#include <iterator>

#include "VexError.h"
#include "VexSqlDatabase.h"
#include "VexTypeDescriptorTable.h"

namespace {

VexUnicodeString Number(std::int64_t value) { return VexUnicodeString(std::to_string(value)); }

}  // namespace

VexPlantElementLoader::VexPlantElementLoader(VexSqlDatabase& database, VexDocument* document,
                                             VexTypeDescriptorTable& types)
    : database_(database), document_(document), types_(types) {}

std::vector<VexVar<VexPlantElement>> VexPlantElementLoader::Load() {
  LoadElements();
  LoadRoutes();
  LoadAttributes();
  return std::move(elements_);
}

void VexPlantElementLoader::LoadElements() {
  elements_.reserve(
      static_cast<std::size_t>(database_.QueryInteger("SELECT count(*) FROM vex_element", 0)));
  VexSqlStatement rows =
      database_.Prepare("SELECT id, name, type_text, kind FROM vex_element ORDER BY id");
  while (rows.Step()) {
    const std::int64_t id = rows.ColumnInteger(0);
    std::optional<VexElementKind> kind = VexElementKindFromName(rows.ColumnText(3));
    if (!kind) {
      throw VexInputError(2, "DocumentUnknownKind", kVexHostCatalog,
                          {database_.GetPath(), Number(id), VexUnicodeString(rows.ColumnText(3))});
    }
    elements_.emplace_back(new VexPlantElement(document_, id, VexUnicodeString(rows.ColumnText(1)),
                                               types_.Intern(rows.ColumnText(2)), *kind));
  }
}

VexPlantElement& VexPlantElementLoader::Seek(std::size_t& cursor, std::int64_t id,
                                             const char* table) const {
  while (cursor < elements_.size() && elements_[cursor]->Id() < id) ++cursor;
  if (cursor == elements_.size() || elements_[cursor]->Id() != id) {
    throw VexInputError(2, "DocumentOrphanRows", kVexHostCatalog,
                        {database_.GetPath(), VexUnicodeString(table), Number(id)});
  }
  return *elements_[cursor];
}

void VexPlantElementLoader::LoadRoutes() {
  VexSqlStatement rows = database_.Prepare(
      "SELECT element_id, x, y, z FROM vex_route_point ORDER BY element_id, position");
  std::size_t cursor = 0;
  std::vector<VexRoutePoint> route;  // one element's points, then copied at their exact size
  VexPlantElement* current = nullptr;
  auto flush = [&] {
    if (current) current->route_.assign(route.begin(), route.end());
    route.clear();
  };
  while (rows.Step()) {
    VexPlantElement& element = Seek(cursor, rows.ColumnInteger(0), "vex_route_point");
    if (&element != current) {
      flush();
      current = &element;
    }
    route.push_back({rows.ColumnNumber(1), rows.ColumnNumber(2), rows.ColumnNumber(3)});
  }
  flush();
}

void VexPlantElementLoader::LoadAttributes() {
  VexSqlStatement rows = database_.Prepare(
      "SELECT element_id, name, number, text FROM vex_attribute ORDER BY element_id, name");
  std::size_t cursor = 0;
  std::vector<VexElementAttribute> attributes;
  VexPlantElement* current = nullptr;
  auto flush = [&] {
    if (current) {
      current->attributes_.assign(std::make_move_iterator(attributes.begin()),
                                  std::make_move_iterator(attributes.end()));
    }
    attributes.clear();
  };
  while (rows.Step()) {
    VexPlantElement& element = Seek(cursor, rows.ColumnInteger(0), "vex_attribute");
    if (&element != current) {
      flush();
      current = &element;
    }
    VexElementAttribute attribute{VexString(std::string(rows.ColumnText(1))), 0.0};
    if (rows.IsNull(2)) {
      attribute.value = VexUnicodeString(rows.ColumnText(3));
    } else {
      attribute.value = rows.ColumnNumber(2);
    }
    attributes.push_back(std::move(attribute));
  }
  flush();
}
