// The block pool and the two hash tables: allocation rules, the hash values of worked examples,
// chaining, removal and growth.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "solver/hash_f.h"
#include "solver/hash_v.h"
#include "solver/mem_pool.h"

namespace zrk {
namespace {

TEST(MemPool, AllocationsBumpInsideOneBlockAndStartANewOneWhenFull) {
  TMem pool;
  auto* a = static_cast<uint8_t*>(pool.Alloc(3));
  auto* b = static_cast<uint8_t*>(pool.AllocAligned(4));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 4, 0u) << "usable space starts 4-aligned";
  EXPECT_EQ(b, a + 4);
  auto* c = static_cast<uint8_t*>(pool.Alloc(1));
  EXPECT_EQ(c, b + 4);
  auto* d = static_cast<uint8_t*>(pool.AllocEven(2));
  EXPECT_EQ(d, c + 2);
  EXPECT_EQ(pool.BlockCount(), 1u);
  // Fill the block up to its last byte, then a single byte more takes a fresh block.
  const size_t used = size_t(d + 2 - a);
  auto* rest = static_cast<uint8_t*>(pool.Alloc(PoolBlockUsable - used));
  EXPECT_EQ(rest, d + 2);
  auto* e = static_cast<uint8_t*>(pool.Alloc(1));
  EXPECT_EQ(pool.BlockCount(), 2u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(e) % 4, 0u);
  // A request that does not fit the remainder abandons it, even for one byte.
  pool.Alloc(PoolBlockUsable - 10);
  pool.Alloc(20);
  EXPECT_EQ(pool.BlockCount(), 3u);
  EXPECT_EQ(pool.Alloc(PoolBlockUsable + 1), nullptr) << "no request exceeds a block";
  pool.Clear();
  EXPECT_TRUE(pool.Empty());
  EXPECT_NE(pool.Alloc(8), nullptr) << "allocation after Clear starts a new first block";
}

TEST(MemPool, ZeroedAndReallocKeepTheirContract) {
  TMem pool;
  auto* z = static_cast<uint8_t*>(pool.AllocZeroed(64));
  for (int i = 0; i < 64; ++i) EXPECT_EQ(z[i], 0);
  std::memcpy(z, "abcdef", 6);
  auto* r = static_cast<uint8_t*>(pool.Realloc(z, 6, 32));
  EXPECT_NE(r, z);
  EXPECT_EQ(std::memcmp(r, "abcdef", 6), 0);
  EXPECT_EQ(std::memcmp(z, "abcdef", 6), 0) << "old bytes stay where they were";
}

TEST(MemPool, HandlesResolveToTheirAddresses) {
  TMem pool;
  const TKeySource source = pool.KeySource();
  std::vector<uint8_t*> keys;
  for (int i = 0; i < 3; ++i) {
    keys.push_back(static_cast<uint8_t*>(pool.AllocEven(PoolBlockUsable / 2)));
  }
  for (uint8_t* k : keys) {
    const uint32_t h = pool.Handle(k);
    ASSERT_NE(h, 0u);
    EXPECT_LT(h, 1u << 31);
    EXPECT_EQ(source.At(h), k);
  }
  EXPECT_EQ(pool.Handle(keys[0] + 1), 0u) << "odd addresses have no handle";
}

// Keys stored in a pool for the tables.
struct TKeys {
  TMem Pool;
  uint32_t Add(const std::vector<uint8_t>& bytes) {
    auto* p = static_cast<uint8_t*>(Pool.AllocEven(bytes.size()));
    std::memcpy(p, bytes.data(), bytes.size());
    return Pool.Handle(p);
  }
  uint32_t AddWord(uint32_t w) {
    std::vector<uint8_t> b(4);
    std::memcpy(b.data(), &w, 4);
    return Add(b);
  }
};

std::vector<uint8_t> Word(uint32_t w) {
  std::vector<uint8_t> b(4);
  std::memcpy(b.data(), &w, 4);
  return b;
}

TEST(HashF, WorkedExamplesGiveTheirSumsAndBuckets) {
  TKeys keys;
  THashF five(5, keys.Pool.KeySource());
  ASSERT_TRUE(five.Reset(5, 100));
  ASSERT_EQ(five.BucketCount(), 200u);
  const uint8_t k5[] = {1, 2, 3, 4, 5};
  EXPECT_EQ(five.Hash(k5), 26182539u);
  EXPECT_EQ(five.BucketOfSum(five.Hash(k5)), 1u);

  THashF four(4, keys.Pool.KeySource());
  ASSERT_TRUE(four.Reset(4, 100));
  const uint8_t k4[] = {1, 0, 0, 0};
  EXPECT_EQ(four.Hash(k4), 31379939u);
  EXPECT_EQ(four.BucketOfSum(four.Hash(k4)), 1u);
  EXPECT_EQ(four.Find(k4), 0u);
  EXPECT_EQ(four.LastBucket(), 1u);
}

TEST(HashV, WorkedExampleAndLookupByOwnSize) {
  TKeys keys;
  THashV table(keys.Pool.KeySource());
  const uint8_t key[] = {6, 0, 0, 0, 7, 8};
  EXPECT_EQ(THashV::Hash(key), 249545707u);
  EXPECT_EQ(table.Find(key), 0u);
  EXPECT_EQ(table.BucketCount(), 2048u);
  EXPECT_EQ(table.LastBucket(), 118u);
  const uint32_t h = keys.Add({6, 0, 0, 0, 7, 8});
  ASSERT_TRUE(table.Insert(h));
  EXPECT_EQ(table.Find(key), h);
  const uint8_t longer[] = {8, 0, 0, 0, 7, 8, 0, 0};
  EXPECT_EQ(table.Find(longer), 0u) << "a key of another size never equals";
  const uint8_t other[] = {6, 0, 0, 0, 7, 9};
  EXPECT_EQ(table.Find(other), 0u);
}

TEST(HashV, GrowsByDoublingAndKeepsEveryKey) {
  TKeys keys;
  THashV table(keys.Pool.KeySource());
  std::vector<uint32_t> handles;
  for (uint32_t i = 0; i < 3000; ++i) {
    const uint32_t h = keys.Add({8, 0, 0, 0, uint8_t(i), uint8_t(i >> 8), 0, 1});
    ASSERT_EQ(table.Find(keys.Pool.KeySource().At(h)), 0u);
    ASSERT_TRUE(table.Insert(h));
    handles.push_back(h);
  }
  EXPECT_EQ(table.Count(), 3000u);
  EXPECT_EQ(table.Capacity() % 1024, 0u);
  EXPECT_GE(table.Capacity(), 3000u);
  for (uint32_t h : handles) EXPECT_EQ(table.Find(keys.Pool.KeySource().At(h)), h);
}

// Four-byte keys whose hash falls into the given bucket of a table with that bucket count.
std::vector<uint32_t> WordsInBucket(const THashF& table, uint32_t bucket, size_t n) {
  std::vector<uint32_t> words;
  for (uint32_t w = 1; words.size() < n; ++w) {
    const auto b = Word(w);
    if (table.BucketOfSum(table.Hash(b.data())) == bucket) words.push_back(w);
  }
  return words;
}

TEST(HashF, CapacityKeysInDistinctBucketsGrowOnTheNextInsertion) {
  TKeys keys;
  THashF table(4, keys.Pool.KeySource());
  ASSERT_TRUE(table.Reset(4, 100));
  std::vector<bool> used(table.BucketCount());
  uint32_t inserted = 0;
  for (uint32_t w = 1; inserted < 100; ++w) {
    const auto b = Word(w);
    const uint32_t bucket = table.BucketOfSum(table.Hash(b.data()));
    if (used[bucket]) continue;
    used[bucket] = true;
    ASSERT_TRUE(table.Insert(keys.AddWord(w)));
    ++inserted;
  }
  EXPECT_EQ(table.Capacity(), 100u);
  EXPECT_EQ(table.CellsInUse(), 0u);
  ASSERT_TRUE(table.Insert(keys.AddWord(0xFFFFFFF0)));
  EXPECT_EQ(table.Capacity(), 200u);
  EXPECT_EQ(table.BucketCount(), 400u);
  EXPECT_EQ(table.Count(), 101u);
}

TEST(HashF, AFullChainGrowsOnTheNextInsertion) {
  TKeys keys;
  THashF table(4, keys.Pool.KeySource());
  ASSERT_TRUE(table.Reset(4, 100));
  ASSERT_EQ(table.ChainCapacity(), 26u);
  const auto words = WordsInBucket(table, 7, 28);
  for (size_t i = 0; i < 27; ++i) ASSERT_TRUE(table.Insert(keys.AddWord(words[i])));
  EXPECT_EQ(table.Capacity(), 100u);
  EXPECT_EQ(table.CellsInUse(), 26u);
  ASSERT_TRUE(table.Insert(keys.AddWord(words[27])));
  EXPECT_EQ(table.Capacity(), 200u);
  for (uint32_t w : words) EXPECT_NE(table.Find(Word(w).data()), 0u);
}

TEST(HashF, RemoveUnlinksAnyPositionOfAChain) {
  TKeys keys;
  THashF table(4, keys.Pool.KeySource());
  ASSERT_TRUE(table.Reset(4, 100));
  const auto words = WordsInBucket(table, 3, 3);
  for (uint32_t w : words) ASSERT_TRUE(table.Insert(keys.AddWord(w)));
  EXPECT_EQ(table.CellsInUse(), 2u);
  // words[0] is the oldest key: the untagged end of the chain.
  EXPECT_TRUE(table.Remove(Word(words[0]).data()));
  EXPECT_EQ(table.Find(Word(words[0]).data()), 0u);
  EXPECT_NE(table.Find(Word(words[1]).data()), 0u);
  EXPECT_NE(table.Find(Word(words[2]).data()), 0u);
  EXPECT_EQ(table.CellsInUse(), 1u);
  EXPECT_FALSE(table.Remove(Word(words[0]).data())) << "a second removal finds nothing";
  EXPECT_TRUE(table.Remove(Word(words[2]).data())); // the newest, in the first cell
  EXPECT_NE(table.Find(Word(words[1]).data()), 0u);
  EXPECT_TRUE(table.Remove(Word(words[1]).data())); // the last, a single key
  EXPECT_EQ(table.Count(), 0u);
  EXPECT_EQ(table.BucketSlot(3), 0u);
  // Released cells are taken again before new ones.
  for (uint32_t w : words) ASSERT_TRUE(table.Insert(keys.AddWord(w)));
  EXPECT_EQ(table.CellsTaken(), 2u);
}

TEST(HashF, DoublingSendsBucketITo2IOr2IPlus1) {
  TKeys keys;
  THashF table(4, keys.Pool.KeySource());
  ASSERT_TRUE(table.Reset(4, 0));
  EXPECT_EQ(table.Capacity(), 100u) << "capacity 0 sizes the table for 100 records";
  std::vector<std::pair<uint32_t, uint32_t>> before; // word, bucket at 200 buckets
  for (uint32_t w = 1; w <= 90; ++w) {
    ASSERT_TRUE(table.Insert(keys.AddWord(w * 7919)));
    before.push_back({w * 7919, table.BucketOfSum(table.Hash(Word(w * 7919).data()))});
  }
  ASSERT_TRUE(table.Resize(200));
  for (auto [w, b] : before) {
    const uint32_t nb = table.BucketOfSum(table.Hash(Word(w).data()));
    EXPECT_TRUE(nb == 2 * b || nb == 2 * b + 1);
    EXPECT_NE(table.Find(Word(w).data()), 0u);
  }
  EXPECT_EQ(table.Count(), 90u);
}

TEST(HashF, AfterClearTheFirstUseStillMakesArrays) {
  TKeys keys;
  THashF table(4, keys.Pool.KeySource());
  table.Clear();
  EXPECT_EQ(table.Find(Word(5).data()), 0u);
  EXPECT_GT(table.BucketCount(), 0u);
  ASSERT_TRUE(table.Insert(keys.AddWord(5)));
  EXPECT_NE(table.Find(Word(5).data()), 0u);
}

} // namespace
} // namespace zrk
