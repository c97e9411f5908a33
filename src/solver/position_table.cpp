#include "solver/position_table.h"

#include "solver/big_alloc.h"

namespace zrk {

TPositionTable::TPositionTable(uint32_t keySize, TKeySource source)
    : KeyBytes(keySize), Source(source) {}

TPositionTable::~TPositionTable() { Release(); }

uint32_t TPositionTable::HashKey(const uint8_t* key, uint32_t keySize) {
  uint32_t sum = 0;
  const uint32_t words = keySize / 4;
  const uint32_t tail = keySize % 4;
  for (uint32_t i = 0; i < words; ++i) sum += HashMix(LoadWord(key + 4 * i), HashMultipliers[i & 7]);
  if (tail) {
    // The tail bytes as the top of the key's last word when the key has one: a fixed-size load
    // instead of a copy of the tail bytes (the same value on this little-endian machine).
    const uint32_t last = words ? LoadWord(key + keySize - 4) >> (8 * (4 - tail)) : LoadTail(key, tail);
    sum += HashMix(last, HashTailMultiplier);
  }
  return sum;
}

bool TPositionTable::Make(uint32_t capacity) {
  if (capacity < 1) capacity = 100;
  if (capacity > MaxCapacity) capacity = MaxCapacity;
  const uint32_t slots = SlotsFor(capacity);
  auto* s = static_cast<uint64_t*>(BigAllocInPlace(size_t(slots) * sizeof(uint64_t)));
  if (!s) return false;
  Release();
  Slots = s;
  SlotCount = slots;
  Cap = capacity;
  return true;
}

void TPositionTable::Release() {
  BigFree(Slots, size_t(SlotCount) * sizeof(uint64_t));
  Slots = nullptr;
  SlotCount = Cap = Used = 0;
}

bool TPositionTable::Reset(uint32_t keySize, int64_t capacity) {
  Release();
  KeyBytes = keySize;
  return Make(capacity > 0 ? uint32_t(capacity > MaxCapacity ? MaxCapacity : capacity) : 100);
}

void TPositionTable::Clear() {
  Release();
}

uint32_t TPositionTable::FindHashed(const uint8_t* key, uint32_t sum) const {
  if (!Slots) return 0;
  uint32_t i = Home(sum);
  for (;;) {
    const uint64_t slot = Slots[i];
    if (slot == 0) return 0;
    if (SumOf(slot) == sum && Equal(HandleOf(slot), key)) return HandleOf(slot);
    if (++i == SlotCount) i = 0;
  }
}

void TPositionTable::PrefetchKeyOfSum(uint32_t sum) const {
  if (!Slots) return;
  uint32_t i = Home(sum);
  // A run longer than this is rare; its lookup simply waits for the key.
  for (int probes = 0; probes < 16; ++probes) {
    const uint64_t slot = Slots[i];
    if (slot == 0) return;
    if (SumOf(slot) == sum) {
      __builtin_prefetch(Source.At(HandleOf(slot)));
      return;
    }
    if (++i == SlotCount) i = 0;
  }
}

void TPositionTable::Place(uint64_t slot) {
  uint32_t i = Home(SumOf(slot));
  while (Slots[i]) {
    if (++i == SlotCount) i = 0;
  }
  Slots[i] = slot;
  ++Used;
}

uint32_t TPositionTable::NextCapacity() const {
  if (Cap == 0) return 100;
  const uint64_t doubled = uint64_t(Cap) * 2;
  return doubled > MaxCapacity ? MaxCapacity : uint32_t(doubled);
}

bool TPositionTable::InsertHashed(uint32_t handle, uint32_t sum) {
  // A refused growth still stores the key while a slot is free beyond the capacity's reserve.
  if (NeedsGrowth() && !Resize(NextCapacity()) && (!Slots || Used + 1 >= SlotCount)) return false;
  Place(SlotOf(handle, sum));
  return true;
}

bool TPositionTable::Remove(const uint8_t* key) {
  if (!Slots) return false;
  const uint32_t sum = Hash(key);
  uint32_t i = Home(sum);
  for (;;) {
    const uint64_t slot = Slots[i];
    if (slot == 0) return false;
    if (SumOf(slot) == sum && Equal(HandleOf(slot), key)) break;
    if (++i == SlotCount) i = 0;
  }
  // Backward shift: a later slot of the run moves into the hole unless its home lies cyclically
  // after the hole and no later than the slot itself (then the hole does not cut its probe path).
  uint32_t j = i;
  for (;;) {
    if (++j == SlotCount) j = 0;
    const uint64_t slot = Slots[j];
    if (slot == 0) break;
    const uint32_t k = Home(SumOf(slot));
    const bool reachable = i <= j ? (i < k && k <= j) : (i < k || k <= j);
    if (reachable) continue;
    Slots[i] = slot;
    i = j;
  }
  Slots[i] = 0;
  --Used;
  return true;
}

bool TPositionTable::Resize(uint32_t capacity, void** retired, size_t* retiredBytes) {
  if (capacity < Used + 1) return false;
  uint64_t* old = Slots;
  const uint32_t oldCount = SlotCount;
  const uint32_t oldUsed = Used;
  const uint32_t oldCap = Cap;
  Slots = nullptr; // Make must not release the old slots: they are moved below
  SlotCount = Cap = Used = 0;
  if (!Make(capacity)) {
    Slots = old;
    SlotCount = oldCount;
    Used = oldUsed;
    Cap = oldCap;
    return false;
  }
  // The old slots in index order land in nearly ascending new slots.
  for (uint32_t i = 0; i < oldCount; ++i) {
    if (old[i]) Place(old[i]);
  }
  if (retired && retiredBytes) {
    *retired = old;
    *retiredBytes = size_t(oldCount) * sizeof(uint64_t);
  } else {
    BigFree(old, size_t(oldCount) * sizeof(uint64_t));
  }
  return true;
}

} // namespace zrk
