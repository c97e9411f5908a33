// The position table: open addressing over (sum, handle) slots, doubling and backward-shift removal.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <vector>

#include "solver/position_table.h"

namespace zrk {
namespace {

// Four-byte keys in one block; handle = 1 << 16 | index, as the record store names records.
struct TWords {
  std::vector<uint8_t> Bytes = std::vector<uint8_t>(4 << 16);
  uint8_t* Table[2] = {nullptr, nullptr};
  uint32_t Used = 0;
  TWords() { Table[1] = Bytes.data(); }
  TKeySource Source() const { return TKeySource{Table, 16, 0xFFFF, 4, 0}; }
  uint32_t Add(uint32_t w) {
    std::memcpy(&Bytes[size_t(Used) * 4], &w, 4);
    return (1u << 16) | Used++;
  }
};

const uint8_t* Bytes(const uint32_t& w) { return reinterpret_cast<const uint8_t*>(&w); }

TEST(PositionTable, GrowsByDoublingAndFindsEveryKeyOnly) {
  TWords words;
  TPositionTable table(4, words.Source());
  ASSERT_TRUE(table.Reset(4, 0));
  EXPECT_EQ(table.Capacity(), 100u);
  std::vector<std::pair<uint32_t, uint32_t>> stored;
  for (uint32_t i = 0; i < 5000; ++i) {
    const uint32_t w = i * 2654435761u + 17;
    ASSERT_EQ(table.Find(Bytes(w)), 0u);
    const uint32_t h = words.Add(w);
    ASSERT_TRUE(table.Insert(h));
    stored.push_back({w, h});
  }
  EXPECT_EQ(table.Count(), 5000u);
  EXPECT_EQ(table.Capacity(), 6400u);
  for (auto [w, h] : stored) EXPECT_EQ(table.Find(Bytes(w)), h);
  for (uint32_t i = 0; i < 2000; ++i) {
    const uint32_t w = i * 2654435761u + 18;
    EXPECT_EQ(table.Find(Bytes(w)), 0u);
  }
}

// Keys whose sums fall in the last sixteenth of the range crowd the table's last slots, so their run
// wraps round to slot 0; removing any of them must leave every other key reachable.
TEST(PositionTable, RemovalKeepsRunsThatWrapRoundReachable) {
  TWords words;
  TPositionTable table(4, words.Source());
  ASSERT_TRUE(table.Reset(4, 100));
  std::vector<uint32_t> crowded, spread;
  for (uint32_t w = 1; crowded.size() < 24 || spread.size() < 40; ++w) {
    const uint32_t sum = table.Hash(Bytes(w));
    if (sum >= 0xF0000000u && crowded.size() < 24) crowded.push_back(w);
    else if (sum < 0x20000000u && spread.size() < 40) spread.push_back(w);
  }
  std::vector<uint32_t> all = crowded;
  all.insert(all.end(), spread.begin(), spread.end());
  std::vector<uint32_t> handles;
  for (uint32_t w : all) {
    handles.push_back(words.Add(w));
    ASSERT_TRUE(table.Insert(handles.back()));
  }
  ASSERT_EQ(table.Capacity(), 100u) << "no growth: the run must wrap in this table";
  std::mt19937 random(7);
  std::vector<size_t> order(all.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  std::set<size_t> present(order.begin(), order.end());
  for (size_t victim : order) {
    ASSERT_TRUE(table.Remove(Bytes(all[victim])));
    present.erase(victim);
    EXPECT_FALSE(table.Remove(Bytes(all[victim]))) << "a second removal finds nothing";
    for (size_t i = 0; i < all.size(); ++i) {
      ASSERT_EQ(table.Find(Bytes(all[i])), present.count(i) ? handles[i] : 0u) << "key " << i;
    }
  }
  EXPECT_EQ(table.Count(), 0u);
}

TEST(PositionTable, EqualSumsAreToldApartByTheirKeys) {
  // A lookup under a stored key's sum with another key stands for two keys whose sums collide.
  TWords words;
  TPositionTable table(4, words.Source());
  ASSERT_TRUE(table.Reset(4, 100));
  const uint32_t a = 5;
  const uint32_t ha = words.Add(a);
  ASSERT_TRUE(table.Insert(ha));
  EXPECT_EQ(table.FindHashed(Bytes(a), table.Hash(Bytes(a))), ha);
  const uint32_t b = 6;
  EXPECT_EQ(table.FindHashed(Bytes(b), table.Hash(Bytes(a))), 0u) << "same sum, other key: not found";
}

} // namespace
} // namespace zrk
