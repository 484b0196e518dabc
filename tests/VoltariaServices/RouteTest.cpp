#include <gtest/gtest.h>

#include <algorithm>

#include "VexGrdRoute.h"

namespace {

VexGrdRouteElement Element(const char* name, std::vector<VexGrdPoint> points, double radius = 0) {
  return {name, std::move(points), radius};
}

// Three conduits with two 90-degree bends: 5 m along x, 3 m along y, 2 m up.
std::vector<VexGrdRouteElement> ThreeConduitsOutOfOrder() {
  return {Element("C3", {{5000, 3000, 2000}, {5000, 3000, 0}}),  // reversed
          Element("C1", {{0, 0, 0}, {2000, 0, 0}, {5000, 0, 0}}),
          Element("C2", {{5000, 0.6, 0}, {5000, 3000, 0}}, 450)};  // joint 0.6 mm off
}

std::vector<std::string> NamesOf(const VexGrdRoute& route) {
  std::vector<std::string> names;
  for (const auto& element : route.GetElements()) names.push_back(element.name.str());
  return names;
}

int StatusOf(std::vector<VexGrdRouteElement> elements) {
  auto route = VexGrdRoute::Order(std::move(elements));
  if (!route) return -1;
  std::vector<VexGrdRouteSegment> segments;
  return route->BuildSegments(&segments);
}

}  // namespace

TEST(RouteTest, ThreeConduitsOutOfOrderGiveThreeRunsAndTwoBends) {
  auto route = VexGrdRoute::Order(ThreeConduitsOutOfOrder());
  ASSERT_TRUE(route);
  EXPECT_EQ(NamesOf(*route), (std::vector<std::string>{"C3", "C2", "C1"}))
      << "the route starts at the free end of the first given element";

  std::vector<VexGrdRouteSegment> segments;
  ASSERT_EQ(route->BuildSegments(&segments), VexGrdRoute::kSegmentsBuilt);
  using Kind = VexGrdRouteSegment::Kind;
  ASSERT_EQ(segments.size(), 5u);
  const struct {
    Kind kind;
    double length, angle, radius;
    const char* element;
  } expected[] = {{Kind::Run, 2000, 0, 0, "C3"},
                  {Kind::Bend, 0, 90, 450, "C2"},
                  {Kind::Run, 3000, 0, 0, "C2"},
                  {Kind::Bend, 0, 90, VexGrdRoute::kDefaultBendRadius, "C1"},
                  {Kind::Run, 5000, 0, 0, "C1"}};
  for (std::size_t i = 0; i < segments.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(segments[i].kind, expected[i].kind);
    EXPECT_NEAR(segments[i].length, expected[i].length, 1.0);
    EXPECT_NEAR(segments[i].angle, expected[i].angle, 0.05);
    EXPECT_DOUBLE_EQ(segments[i].radius, expected[i].radius);
    EXPECT_EQ(segments[i].element.str(), expected[i].element);
  }
  EXPECT_NEAR(route->GetLength(), 10000, 1.0);
}

TEST(RouteTest, CollinearElementsMakeOneRun) {
  auto route = VexGrdRoute::Order(
      {Element("A", {{0, 0, 0}, {1000, 0, 0}}), Element("B", {{3000, 0, 0}, {1000, 0, 0}})});
  ASSERT_TRUE(route);
  std::vector<VexGrdRouteSegment> segments;
  ASSERT_EQ(route->BuildSegments(&segments), 0);
  ASSERT_EQ(segments.size(), 1u);
  EXPECT_DOUBLE_EQ(segments[0].length, 3000);
}

TEST(RouteTest, ARunRisesByTheHeightBetweenItsEnds) {
  // Up a 3-4-5 slope, then along a level piece, then straight down: the slope and its collinear
  // continuation make one run rising 4.5 m; the drop falls 2 m.
  auto route = VexGrdRoute::Order({Element("S", {{0, 0, 0}, {3000, 0, 4000}, {4500, 0, 6000}}),
                                   Element("L", {{4500, 0, 6000}, {9500, 0, 6000}}),
                                   Element("D", {{9500, 0, 6000}, {9500, 0, 4000}})});
  ASSERT_TRUE(route);
  std::vector<VexGrdRouteSegment> segments;
  ASSERT_EQ(route->BuildSegments(&segments), 0);
  ASSERT_EQ(segments.size(), 5u);
  EXPECT_NEAR(segments[0].length, 7500, 1e-9);
  EXPECT_NEAR(segments[0].rise, 6000, 1e-9);
  EXPECT_NEAR(segments[2].rise, 0, 1e-9);
  EXPECT_NEAR(segments[4].rise, -2000, 1e-9);
}

TEST(RouteTest, ElementsThatFormNoSingleRouteAreRefused) {
  struct Case {
    const char* name;
    std::vector<VexGrdRouteElement> elements;
  };
  const Case cases[] = {
      {"none", {}},
      {"gap above 1 mm",
       {Element("A", {{0, 0, 0}, {1000, 0, 0}}), Element("B", {{1001.5, 0, 0}, {2000, 0, 0}})}},
      {"branching",
       {Element("A", {{0, 0, 0}, {1000, 0, 0}}), Element("B", {{1000, 0, 0}, {2000, 0, 0}}),
        Element("C", {{1000, 0, 0}, {1000, 900, 0}})}},
      {"closed loop",
       {Element("A", {{0, 0, 0}, {1000, 0, 0}}), Element("B", {{1000, 0, 0}, {1000, 1000, 0}}),
        Element("C", {{1000, 1000, 0}, {0, 0, 0}})}},
  };
  for (const auto& c : cases) EXPECT_FALSE(VexGrdRoute::Order(c.elements)) << c.name;
}

TEST(RouteTest, SegmentStatuses) {
  struct Case {
    const char* name;
    std::vector<VexGrdRouteElement> elements;
    int status;
  };
  const Case cases[] = {
      {"single-point element", {Element("P", {{0, 0, 0}})}, VexGrdRoute::kTooFewPoints},
      {"single-point element among good ones",
       {Element("A", {{0, 0, 0}, {1000, 0, 0}}), Element("P", {{1000, 0, 0}})},
       VexGrdRoute::kTooFewPoints},
      {"all points coincide", {Element("Z", {{5, 5, 5}, {5, 5, 5}})}, VexGrdRoute::kNoStraightRun},
      {"turning back",
       {Element("U", {{0, 0, 0}, {1000, 0, 0}, {0, 0, 0.5}})},
       VexGrdRoute::kFoldedBend},
      {"135 degree turn",
       {Element("V", {{0, 0, 0}, {1000, 0, 0}, {0, 1000, 0}})},
       VexGrdRoute::kFoldedBend},
      {"45 degree turn",
       {Element("W", {{0, 0, 0}, {1000, 0, 0}, {2000, 1000, 0}})},
       VexGrdRoute::kSegmentsBuilt},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusOf(c.elements), c.status) << c.name;
}
