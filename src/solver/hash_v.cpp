#include "solver/hash_v.h"

namespace zrk {

// A size word below 4 cannot describe a key; such a key is taken as its size word alone.
uint32_t THashV::KeySize(const uint8_t* key) {
  const uint32_t size = LoadWord(key);
  return size < 4 ? 4 : size;
}

uint32_t THashV::Hash(const uint8_t* key) {
  const uint32_t size = KeySize(key);
  const uint32_t words = size / 4;
  uint32_t sum = 0;
  for (uint32_t i = 0; i < words; ++i) sum += HashMix(LoadWord(key + 4 * i), HashMultipliers[0]);
  if (size % 4) sum += HashMix(LoadTail(key + 4 * words, size % 4), HashMultipliers[0]);
  return sum;
}

// The size words are compared first, so that a shorter stored key is never read past its end.
bool THashV::Equal(uint32_t handle, const uint8_t* key, uint32_t size) const {
  const uint8_t* stored = Source.At(handle);
  if (KeySize(stored) != size) return false;
  return std::memcmp(stored, key, size) == 0;
}

uint32_t THashV::Find(const uint8_t* key) {
  A.FoundSlot = nullptr;
  if (!A.Buckets && !A.Make(InitialCapacity)) return 0;
  const uint32_t size = KeySize(key);
  A.LastBucket = BucketOf(Hash(key), A.BucketCount);
  uint32_t* slot = &A.Buckets[A.LastBucket];
  uint32_t value = *slot;
  while (value) {
    if (!SlotIsCell(value)) {
      if (!Equal(SlotKey(value), key, size)) return 0;
      A.FoundSlot = slot;
      return SlotKey(value);
    }
    TChainCell& cell = A.Cells[SlotCell(value)];
    if (Equal(cell.Key, key, size)) {
      A.FoundSlot = slot;
      return cell.Key;
    }
    slot = &cell.Next;
    value = *slot;
  }
  return 0;
}

bool THashV::Insert(uint32_t handle) {
  if ((!A.Buckets || A.Full()) && !Resize(A.Capacity ? A.Capacity * 2 : InitialCapacity) && !A.Buckets) return false;
  return A.Push(BucketOf(Hash(Source.At(handle)), A.BucketCount), handle);
}

bool THashV::Resize(uint32_t capacity) {
  if (A.Count == 0) return A.Make(capacity);
  THashArrays fresh;
  if (!fresh.Make(capacity)) return false;
  for (uint32_t i = 0; i < A.BucketCount; ++i) {
    bool pushed = true;
    A.ForEachInBucket(i, [&](uint32_t handle) {
      pushed = fresh.Push(BucketOf(Hash(Source.At(handle)), fresh.BucketCount), handle);
      return pushed;
    });
    if (!pushed) return false;
  }
  A.TakeOver(fresh);
  return true;
}

} // namespace zrk
