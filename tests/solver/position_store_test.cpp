// The position store: records in blocks, and blocks carved from donated memory before the pool's.
#include <gtest/gtest.h>

#include <cstdint>

#include "solver/big_alloc.h"
#include "solver/mem_pool.h"
#include "solver/position_store.h"

namespace zrk {
namespace {

TEST(PositionStore, DonatedMemoryServesWholeBlocksBeforeThePool) {
  TMem pool;
  TPositionStore store(pool);
  store.Reset(18);
  const uint32_t perBlock = uint32_t(PoolBlockUsable / 18);
  const size_t blockBytes = size_t(perBlock) * 18;
  // Two and a half blocks: two are carved from it, the rest is too short for a third.
  const size_t bytes = blockBytes * 5 / 2;
  auto* region = static_cast<uint8_t*>(BigAlloc(bytes));
  ASSERT_NE(region, nullptr);
  store.Donate(region, bytes);
  store.Donate(BigAlloc(1000), 1000); // less than a block: freed at once, never used

  EXPECT_FALSE(store.NeedsBlock());
  uint32_t first = 0, last = 0;
  for (uint32_t i = 0; i < 2 * perBlock; ++i) {
    last = store.New();
    ASSERT_NE(last, 0u);
    if (!first) first = last;
    const uint8_t* at = store.At(last);
    ASSERT_TRUE(at >= region && at + 18 <= region + bytes) << "record " << i;
  }
  EXPECT_EQ(pool.BlockCount(), 0u);
  EXPECT_TRUE(store.NeedsBlock()) << "the half block left is not offered";
  store.SetParent(first, 77);
  EXPECT_EQ(store.Parent(first), 77u);

  const uint32_t next = store.New();
  ASSERT_NE(next, 0u);
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(store.BlocksTaken(), 3u);
  store.Reset(18); // releases the donated region (ASan reports a leak otherwise)
  EXPECT_TRUE(store.NeedsBlock());
}

} // namespace
} // namespace zrk
