#pragma once
// THashF: a hash table of fixed-size keys held by 32-bit handles (the solver's position keys; a
// table with 4-byte keys serves colour lookups). No duplicate check on insertion: look the key up first.

#include <cstdint>

#include "solver/hash_core.h"
#include "solver/key_source.h"

namespace zrk {

class THashF {
 public:
  explicit THashF(uint32_t keySize, TKeySource source = {});
  ~THashF() = default;
  THashF(const THashF&) = delete;
  THashF& operator=(const THashF&) = delete;

  void SetSource(const TKeySource& source) { Source = source; }
  const TKeySource& KeySourceUsed() const { return Source; }

  // Clears, sets the key size and makes arrays for the capacity (100 when not positive).
  bool Reset(uint32_t keySize, int64_t capacity);
  // Handle of the equal stored key, 0 when none.
  uint32_t Find(const uint8_t* key);
  // Same, with the key's hash sum already computed (Hash) and its bucket prefetched.
  uint32_t FindHashed(const uint8_t* key, uint32_t sum);
  // Grows first when full; false when the growth was refused (the key is not stored then).
  bool Insert(uint32_t handle);
  bool InsertHashed(uint32_t handle, uint32_t sum);
  bool Remove(const uint8_t* key);
  bool Resize(uint32_t capacity);
  void Clear();

  uint32_t Hash(const uint8_t* key) const;
  uint32_t BucketOfSum(uint32_t sum) const { return BucketOf(sum, A.BucketCount); }
  void PrefetchSum(uint32_t sum) const {
    if (A.Buckets) __builtin_prefetch(&A.Buckets[BucketOf(sum, A.BucketCount)]);
  }
  // The first key handle of the bucket of a sum (0 when empty): for prefetching keys.
  uint32_t FirstKeyOfSum(uint32_t sum) const;

  // Capacity that the next growth takes, and the bytes its arrays need.
  uint32_t NextCapacity() const;
  bool NeedsGrowth() const { return A.Buckets == nullptr || A.Full(); }

  uint32_t KeySize() const { return KeyBytes; }
  uint32_t KeyTail() const { return Tail; }
  uint32_t InitialCapacity = 1024;
  uint32_t GrowthStep = 0;       // 0: double
  uint32_t Count() const { return A.Count; }
  uint32_t Capacity() const { return A.Capacity; }
  uint32_t BucketCount() const { return A.BucketCount; }
  uint32_t ChainCapacity() const { return A.ChainCapacity; }
  uint32_t CellsInUse() const { return A.CellsInUse; }
  uint32_t CellsTaken() const { return A.CellsTaken; }
  uint32_t LastBucket() const { return A.LastBucket; }
  bool HasFoundSlot() const { return A.FoundSlot != nullptr; }
  uint32_t BucketSlot(uint32_t bucket) const { return A.Buckets[bucket]; }
  uint64_t ArrayBytes() const { return THashArrays::BytesFor(A.Capacity); }

 private:
  uint32_t KeyBytes;
  uint32_t Tail;
  TKeySource Source;
  THashArrays A;

  bool Equal(uint32_t handle, const uint8_t* key) const { return KeysEqual(Source.At(handle), key, KeyBytes); }
  bool EnsureArrays();
};

} // namespace zrk
