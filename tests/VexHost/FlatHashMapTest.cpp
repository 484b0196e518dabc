#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "VexFlatHashMap.h"

namespace {

// Few distinct hashes, so that probe runs are long, wrap around the end of the slots and
// interleave entries of different homes: the cases where erasing by backward shift can go wrong.
struct CrowdedHash {
  std::size_t operator()(const std::string& key) const {
    return std::hash<std::string>{}(key) % 7 * 0x9e3779b97f4a7c15ULL;
  }
};

template <class Map>
void ExpectSameContents(Map& map, const std::unordered_map<std::string, int>& reference) {
  ASSERT_EQ(map.Size(), reference.size());
  for (const auto& [key, value] : reference) {
    const int* found = map.Find(key);
    ASSERT_NE(found, nullptr) << key;
    EXPECT_EQ(*found, value) << key;
  }
}

template <class Map>
void RunRandomSession(unsigned seed) {
  Map map;
  std::unordered_map<std::string, int> reference;
  std::mt19937 random(seed);
  for (int step = 0; step < 20000; ++step) {
    std::string key = "N" + std::to_string(random() % 600);
    switch (random() % 3) {
      case 0:
      case 1: {
        auto [value, made] = map.TryEmplace(key);
        ASSERT_EQ(made, !reference.count(key)) << key;
        if (made) {
          EXPECT_EQ(*value, 0);
        }
        *value = step;
        reference[key] = step;
        break;
      }
      default:
        ASSERT_EQ(map.Erase(key), reference.erase(key) == 1) << key;
        EXPECT_EQ(map.Find(key), nullptr) << key;
    }
    if (step % 997 == 0) ExpectSameContents(map, reference);
  }
  ExpectSameContents(map, reference);
}

}  // namespace

TEST(VexFlatHashMapTest, AgreesWithAStandardMapOverLongSessionsOfInsertsAndErases) {
  RunRandomSession<VexFlatHashMap<std::string, int>>(1);
  RunRandomSession<VexFlatHashMap<std::string, int, CrowdedHash>>(2);
}

TEST(VexFlatHashMapTest, ReserveAndClearKeepEntriesFindableOrGone) {
  VexFlatHashMap<std::string, int> map;
  for (int i = 0; i < 100; ++i) *map.TryEmplace("K" + std::to_string(i)).first = i;
  map.Reserve(10000);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(*map.Find("K" + std::to_string(i)), i);
  map.Clear();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(map.Find("K1"), nullptr);
  EXPECT_TRUE(map.TryEmplace("K1").second);
}

TEST(VexFlatHashSetTest, InsertTellsWhetherTheKeyIsNew) {
  VexFlatHashSet<std::string> set;
  EXPECT_TRUE(set.Insert("BUS1"));
  EXPECT_FALSE(set.Insert("BUS1"));
  EXPECT_TRUE(set.Contains("BUS1"));
  EXPECT_TRUE(set.Erase("BUS1"));
  EXPECT_FALSE(set.Contains("BUS1"));
  EXPECT_EQ(set.Size(), 0u);
}

namespace {

// Keys that only point to their text, hashed through it, crowded as above.
struct TextOfPointer {
  std::size_t operator()(const std::string* key) const { return CrowdedHash{}(*key); }
};

}  // namespace

TEST(VexFlatHashSetTest, KeysThatPointToTheirTextAreFoundByTheText) {
  std::vector<std::string> texts;
  for (int i = 0; i < 300; ++i) texts.push_back("N" + std::to_string(i));
  VexFlatHashSet<const std::string*, TextOfPointer> set;
  for (const std::string& text : texts) ASSERT_TRUE(set.Insert(&text));
  auto findText = [&](const std::string& text) {
    const std::string* const* found = set.FindBy(
        CrowdedHash{}(text), [&](const std::string* key) { return *key == text; });
    return found ? *found : nullptr;
  };
  for (int i = 0; i < 300; i += 2) ASSERT_TRUE(set.Erase(&texts[i]));
  for (int i = 0; i < 300; ++i) {
    const std::string probe = "N" + std::to_string(i);  // another string of the same text
    EXPECT_EQ(findText(probe), i % 2 ? &texts[i] : nullptr) << probe;
  }
  EXPECT_EQ(findText("N300"), nullptr);
}
