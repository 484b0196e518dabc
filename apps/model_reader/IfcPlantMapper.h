#pragma once
// Maps the electrical entities of an IFC model (read by IFC++ into its IFC4 classes) to plant
// elements: carrier segments (conduit or tray), cable segments and equipment, in world
// millimetres. Fittings join the segments they touch into one bend; other elements are counted.

#include <map>
#include <memory>
#include <string>

#include "VexPlantModel.h"

class BuildingModel;

/// Maps `model`; `dropped` names the entities of the file the library did not read (#id ->
/// type), reported as skipped. Absurd coordinates raise std::runtime_error naming the entity.
VexPlantModel MapIfcPlant(const std::shared_ptr<BuildingModel>& model,
                          const std::map<int, std::string>& dropped);
