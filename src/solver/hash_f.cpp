#include "solver/hash_f.h"

namespace zrk {

THashF::THashF(uint32_t keySize, TKeySource source) : KeyBytes(keySize), Tail(keySize % 4), Source(source) {}

uint32_t THashF::Hash(const uint8_t* key) const {
  uint32_t sum = 0;
  const uint32_t words = KeyBytes / 4;
  for (uint32_t i = 0; i < words; ++i) sum += HashMix(LoadWord(key + 4 * i), HashMultipliers[i & 7]);
  if (Tail) sum += HashMix(LoadTail(key + 4 * words, Tail), HashTailMultiplier);
  return sum;
}

bool THashF::Reset(uint32_t keySize, int64_t capacity) {
  Clear();
  KeyBytes = keySize;
  Tail = keySize % 4;
  const uint32_t c = capacity > 0 ? uint32_t(capacity > THashArrays::MaxHashCapacity ? THashArrays::MaxHashCapacity
                                                                                     : capacity)
                                  : 100;
  return A.Make(c);
}

bool THashF::EnsureArrays() { return A.Buckets || A.Make(InitialCapacity); }

uint32_t THashF::Find(const uint8_t* key) {
  if (!EnsureArrays()) return 0;
  return FindHashed(key, Hash(key));
}

uint32_t THashF::FindHashed(const uint8_t* key, uint32_t sum) {
  A.FoundSlot = nullptr;
  if (!A.Buckets && !EnsureArrays()) return 0;
  A.LastBucket = BucketOf(sum, A.BucketCount);
  uint32_t* slot = &A.Buckets[A.LastBucket];
  uint32_t value = *slot;
  while (value) {
    if (!SlotIsCell(value)) {
      if (!Equal(SlotKey(value), key)) return 0;
      A.FoundSlot = slot;
      return SlotKey(value);
    }
    TChainCell& cell = A.Cells[SlotCell(value)];
    if (Equal(cell.Key, key)) {
      A.FoundSlot = slot;
      return cell.Key;
    }
    if (!SlotIsCell(cell.Next) && Equal(SlotKey(cell.Next), key)) {
      A.FoundSlot = slot; // the slot that points at the last cell
      return SlotKey(cell.Next);
    }
    slot = &cell.Next;
    value = *slot;
    if (!SlotIsCell(value)) return 0; // the untagged end was compared above
  }
  return 0;
}

uint32_t THashF::FirstKeyOfSum(uint32_t sum) const {
  if (!A.Buckets) return 0;
  const uint32_t value = A.Buckets[BucketOf(sum, A.BucketCount)];
  if (value == 0) return 0;
  return SlotIsCell(value) ? A.Cells[SlotCell(value)].Key : SlotKey(value);
}

uint32_t THashF::NextCapacity() const {
  if (A.Capacity == 0) return InitialCapacity ? InitialCapacity : 100;
  if (GrowthStep) return GrowthStep;
  const uint64_t doubled = uint64_t(A.Capacity) * 2;
  return doubled > THashArrays::MaxHashCapacity ? THashArrays::MaxHashCapacity : uint32_t(doubled);
}

bool THashF::Insert(uint32_t handle) { return InsertHashed(handle, Hash(Source.At(handle))); }

bool THashF::InsertHashed(uint32_t handle, uint32_t sum) {
  // A refused growth still stores the key while the arrays have room for it (Push grows the chain
  // cells when it must); only a table without arrays refuses.
  if (NeedsGrowth() && !Resize(NextCapacity()) && !A.Buckets) return false;
  return A.Push(BucketOf(sum, A.BucketCount), handle);
}

bool THashF::Remove(const uint8_t* key) {
  if (!A.Buckets) return false;
  const uint32_t handle = Find(key);
  if (!handle) return false;
  A.Unlink(A.FoundSlot, handle);
  A.FoundSlot = nullptr;
  return true;
}

bool THashF::Resize(uint32_t capacity) {
  if (A.Count == 0) return A.Make(capacity);
  THashArrays fresh;
  if (!fresh.Make(capacity)) return false;
  // Bucket by bucket in index order, newest to oldest within a bucket. The keys' own bytes are
  // scattered over the pool, so the keys of a bucket a little ahead are fetched early.
  constexpr uint32_t Ahead = 16;
  for (uint32_t i = 0; i < A.BucketCount; ++i) {
    if (i + Ahead < A.BucketCount) {
      const uint32_t ahead = A.Buckets[i + Ahead];
      if (ahead) {
        const uint32_t h = SlotIsCell(ahead) ? A.Cells[SlotCell(ahead)].Key : SlotKey(ahead);
        __builtin_prefetch(Source.At(h));
      }
    }
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

void THashF::Clear() {
  A.Release();
  InitialCapacity = 0;
  GrowthStep = 0;
}

} // namespace zrk
