#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <thread>
#include <vector>

#include "VexObjectPool.h"

TEST(VexObjectPoolTest, BlocksAreDistinctAlignedReusedAndTheirChunksGoBackWhenAllAre) {
  VexObjectPool pool(40, 16);  // rounded up to 48 bytes a block
  std::vector<void*> blocks;
  for (int i = 0; i < 100000; ++i) blocks.push_back(pool.Allocate());  // several chunks
  EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
  for (void* block : blocks) {
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
    static_cast<char*>(block)[0] = 1;  // usable: the sanitizer build checks each write
    static_cast<char*>(block)[39] = 1;
  }
  EXPECT_EQ(pool.GetLiveCount(), blocks.size());

  if (VexObjectPool::IsPooling()) {
    EXPECT_GE(pool.GetChunkCount(), 2u);
    void* released = blocks.back();
    pool.Deallocate(released);
    EXPECT_EQ(pool.Allocate(), released) << "a given-back block is handed out first";
  }
  for (void* block : blocks) pool.Deallocate(block);
  EXPECT_EQ(pool.GetLiveCount(), 0u);
  EXPECT_EQ(pool.GetChunkCount(), 0u) << "a closed plant's memory goes back to the system";
  void* again = pool.Allocate();
  EXPECT_NE(again, nullptr);
  pool.Deallocate(again);
}

TEST(VexObjectPoolTest, ThreadsTakingAndGivingBackNeverShareABlock) {
  VexObjectPool pool(24, 8);
  auto work = [&pool](char mark) {
    for (int round = 0; round < 50; ++round) {
      std::vector<char*> blocks;
      for (int i = 0; i < 2000; ++i) {
        blocks.push_back(static_cast<char*>(pool.Allocate()));
        blocks.back()[8] = mark;
      }
      for (char* block : blocks) {
        ASSERT_EQ(block[8], mark) << "another thread wrote into this block";
        pool.Deallocate(block);
      }
    }
  };
  std::thread other(work, 'a');
  work('b');
  other.join();
  EXPECT_EQ(pool.GetLiveCount(), 0u);
}
