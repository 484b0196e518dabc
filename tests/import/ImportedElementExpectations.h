#pragma once
// What the import tests read off an imported model: elements by name, their numbers, and routes
// and placements compared to 0.1 mm.

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "VexPlacement.h"
#include "VexPlantModel.h"

constexpr double kMm = 0.1;

inline const VexImportedElement& Find(const VexPlantModel& model, const char* name) {
  for (const auto& element : model.elements) {
    if (element.name == name) return element;
  }
  throw std::runtime_error(std::string("no element ") + name);
}

inline std::optional<double> Number(const VexImportedElement& element, const char* name) {
  for (const auto& attribute : element.attributes) {
    if (attribute.name == VexString(name) && attribute.IsNumber()) return std::get<double>(attribute.value);
  }
  return std::nullopt;
}

inline void ExpectRoute(const VexImportedElement& element, const std::vector<VexRoutePoint>& expected) {
  ASSERT_EQ(element.route.size(), expected.size()) << element.name.str();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(element.route[i].x, expected[i].x, kMm) << element.name.str() << " point " << i;
    EXPECT_NEAR(element.route[i].y, expected[i].y, kMm) << element.name.str() << " point " << i;
    EXPECT_NEAR(element.route[i].z, expected[i].z, kMm) << element.name.str() << " point " << i;
  }
}

inline void ExpectPlacement(const VexImportedElement& element, VexPlacement expected) {
  ASSERT_TRUE(element.placement) << element.name.str();
  const VexPlacement& p = *element.placement;
  EXPECT_NEAR(p.origin.x, expected.origin.x, kMm) << element.name.str();
  EXPECT_NEAR(p.origin.y, expected.origin.y, kMm) << element.name.str();
  EXPECT_NEAR(p.origin.z, expected.origin.z, kMm) << element.name.str();
  EXPECT_NEAR(p.sizeX, expected.sizeX, kMm) << element.name.str();
  EXPECT_NEAR(p.sizeY, expected.sizeY, kMm) << element.name.str();
  EXPECT_NEAR(p.sizeZ, expected.sizeZ, kMm) << element.name.str();
}
