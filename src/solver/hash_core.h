#pragma once
// The machinery that THashF and THashV share: the multiplicative hash, bucket slots and chain cells.
//
// A bucket slot is 32 bits: 0 empty; an even value (handle << 1) names the one key of the bucket; an
// odd value (cell << 1 | 1) names a chain cell. A chain cell holds the slot value the bucket had
// before (next) and the key added last, so a bucket's chain is a stack ending in an untagged key.
// Keys are handles resolved by a TKeySource; the tables never copy, own or free a key.

#include <cstdint>
#include <cstring>

#include "solver/key_source.h"

namespace zrk {

constexpr uint64_t HashMultipliers[8] = {0x01DED1E36BFAACE9, 0x06BD197B0ADC27C9, 0x0A58C3A514E7F669,
                                         0x08E58D469FD0B5C3, 0x05527D24AF8CA1F3, 0x0734F0D16AC51D31,
                                         0x03F1B5A0BA9BE607, 0x0B8530E2E15C0E1F};
constexpr uint64_t HashTailMultiplier = 0x0C8A25A293D88A68;

// Bits 32..63 of the 64-bit product.
inline uint32_t HashMix(uint32_t w, uint64_t k) { return uint32_t((uint64_t(w) * k) >> 32); }

inline uint32_t LoadWord(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, 4);
  return w; // the machine is little-endian, as the stored words are
}

inline uint32_t LoadTail(const uint8_t* p, uint32_t n) {
  uint32_t t = 0;
  std::memcpy(&t, p, n);
  return t;
}

// Bucket of a hash sum: (sum * buckets) div 2^32, always below the bucket count; doubling the bucket
// count sends bucket i to 2i or 2i + 1, which keeps a rebuild's writes in order.
inline uint32_t BucketOf(uint32_t sum, uint32_t bucketCount) { return uint32_t((uint64_t(sum) * bucketCount) >> 32); }

// Equality of two keys of `bytes` bytes. A short key (4 to 8 bytes, the usual position key) is
// compared as two overlapping words, which never reads past either key.
inline bool KeysEqual(const uint8_t* stored, const uint8_t* key, uint32_t bytes) {
  if (bytes >= 4 && bytes <= 8) {
    const uint32_t tail = bytes - 4;
    return LoadWord(stored) == LoadWord(key) && LoadWord(stored + tail) == LoadWord(key + tail);
  }
  return std::memcmp(stored, key, bytes) == 0;
}

struct TChainCell {
  uint32_t Next; // the slot value the bucket had before this cell
  uint32_t Key;  // key handle
};

inline bool SlotIsCell(uint32_t slot) { return slot & 1; }
inline uint32_t SlotKey(uint32_t slot) { return slot >> 1; }
inline uint32_t SlotCell(uint32_t slot) { return slot >> 1; }
inline uint32_t KeySlot(uint32_t handle) { return handle << 1; }
inline uint32_t CellSlot(uint32_t cell) { return (cell << 1) | 1; }

// Arrays and counts of one table. Capacity is at most MaxHashCapacity so that the bucket count and
// the tagged values fit 32 bits.
class THashArrays {
 public:
  static constexpr uint32_t MaxHashCapacity = 0x7FFFFFFF;

  THashArrays() = default;
  ~THashArrays() { Release(); }
  THashArrays(const THashArrays&) = delete;
  THashArrays& operator=(const THashArrays&) = delete;

  uint32_t Count = 0;
  uint32_t Capacity = 0;
  uint32_t* Buckets = nullptr;
  TChainCell* Cells = nullptr;
  uint32_t BucketCount = 0;
  uint32_t ChainCapacity = 0;
  uint32_t CellsInUse = 0;
  uint32_t CellsTaken = 0;
  uint32_t FreeCells = 0;       // CellSlot of the first released cell, 0 when none
  uint32_t LastBucket = 0;
  uint32_t* FoundSlot = nullptr;

  static uint32_t BucketsFor(uint32_t capacity) { return uint32_t(uint64_t(capacity) * 2); }
  static uint32_t CellsFor(uint32_t capacity) { return uint32_t(capacity * 0.25 + 1); }
  // Bytes that arrays for this capacity take.
  static uint64_t BytesFor(uint32_t capacity) {
    return uint64_t(BucketsFor(capacity)) * 4 + uint64_t(CellsFor(capacity)) * sizeof(TChainCell);
  }

  bool Full() const { return Count >= Capacity || CellsInUse >= ChainCapacity; }

  // Makes empty arrays for the capacity; false (nothing changed) when the heap refuses them.
  bool Make(uint32_t capacity);
  void Release();
  void TakeOver(THashArrays& other);
  bool GrowCells();

  // Pushes a key onto its bucket's stack. When every chain cell is taken (only a rebuild into a
  // table too small for its keys gets there) the cell array grows; false when the heap refuses.
  bool Push(uint32_t bucket, uint32_t handle);
  // Unlinks the key whose slot is `slot` (a bucket slot or a cell's next field that holds it).
  void Unlink(uint32_t* slot, uint32_t handle);

  // Calls f(handle) for every key of a bucket, from the newest cell down to the oldest key.
  template <class F>
  void ForEachInBucket(uint32_t bucket, F f) const {
    uint32_t value = Buckets[bucket];
    while (value) {
      if (SlotIsCell(value)) {
        const TChainCell& cell = Cells[SlotCell(value)];
        value = cell.Next;
        if (!f(cell.Key)) return;
      } else {
        f(SlotKey(value));
        return;
      }
    }
  }
};

} // namespace zrk
