#pragma once
// Reads all plant elements of a document in three passes (elements, routes, attributes), each
// one prepared statement in identifier order, so a large plant loads in one sweep.

#include <vector>

#include "VexPlantElement.h"

class VexSqlDatabase;
class VexTypeDescriptorTable;

class VexPlantElementLoader {
 public:
  VexPlantElementLoader(VexSqlDatabase& database, VexDocument* document,
                        VexTypeDescriptorTable& types);

  /// The elements in order of identifier, with their routes and attributes.
  std::vector<VexVar<VexPlantElement>> Load();

 private:
  void LoadElements();
  void LoadRoutes();
  void LoadAttributes();
  /// The element `id`, searched forward from `cursor` (rows come in identifier order).
  VexPlantElement& Seek(std::size_t& cursor, std::int64_t id, const char* table) const;

  VexSqlDatabase& database_;
  VexDocument* document_;
  VexTypeDescriptorTable& types_;
  std::vector<VexVar<VexPlantElement>> elements_;
};
