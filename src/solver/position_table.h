#pragma once
// TPositionTable: the search's set of stored positions, keyed by position key and holding record
// handles.
//
// Open addressing with linear probing over 64-bit slots: the key's 32-bit hash sum in the high half,
// the record handle in the low half, 0 for an empty slot. Keeping the sum beside the handle means a
// probe reads a key from its (scattered) record only when the sums agree, and a doubling moves the
// slots without reading any key at all. The home slot is (sum * slots) div 2^32, which keeps the
// table ordered by sum, so a doubling writes the new array front to back.

#include <cstddef>
#include <cstdint>

#include "solver/hash_core.h"
#include "solver/key_source.h"

namespace zrk {

class TPositionTable {
 public:
  // Keys that a table may hold; its slot count (a quarter more) still fits 32 bits.
  static constexpr uint32_t MaxCapacity = 0x7FFFFFFF;

  explicit TPositionTable(uint32_t keySize, TKeySource source = {});
  ~TPositionTable();
  TPositionTable(const TPositionTable&) = delete;
  TPositionTable& operator=(const TPositionTable&) = delete;

  void SetSource(const TKeySource& source) { Source = source; }
  // Clears, sets the key size and makes a table for the capacity (100 when not positive).
  bool Reset(uint32_t keySize, int64_t capacity);
  void Clear();

  uint32_t Hash(const uint8_t* key) const { return HashKey(key, KeyBytes); }
  // The hash sum of a key of keySize bytes (touches no table: callable from any thread).
  static uint32_t HashKey(const uint8_t* key, uint32_t keySize);
  // Handle of the stored key equal to `key`, 0 when none.
  uint32_t Find(const uint8_t* key) { return FindHashed(key, Hash(key)); }
  uint32_t FindHashed(const uint8_t* key, uint32_t sum) const;
  // Stores a handle whose key is not in the table yet; grows first when full. False when the table
  // is full and cannot grow (the key is not stored then).
  bool Insert(uint32_t handle) { return InsertHashed(handle, Hash(Source.At(handle))); }
  bool InsertHashed(uint32_t handle, uint32_t sum);
  bool Remove(const uint8_t* key);
  // Moves every slot into a table for `capacity` keys; false (nothing changed) when refused. With
  // `retired`, the old array is handed over there (BigAlloc memory of *retiredBytes) instead of freed.
  bool Resize(uint32_t capacity, void** retired = nullptr, size_t* retiredBytes = nullptr);

  // Fetches the home slot's cache lines of a sum ahead of its lookup.
  void PrefetchSum(uint32_t sum) const {
    if (!Slots) return;
    const uint64_t* home = &Slots[Home(sum)];
    __builtin_prefetch(home);
    __builtin_prefetch(home + 7 < Slots + SlotCount ? home + 7 : home);
  }
  // Fetches the key of the first slot with this sum ahead of its lookup (the home slot's lines
  // should have been fetched by then).
  void PrefetchKeyOfSum(uint32_t sum) const;

  uint32_t NextCapacity() const;
  bool NeedsGrowth() const { return Slots == nullptr || Used >= Cap; }
  uint32_t Count() const { return Used; }
  uint32_t Capacity() const { return Cap; }
  uint32_t SlotTotal() const { return SlotCount; }
  uint32_t KeySize() const { return KeyBytes; }
  static uint32_t SlotsFor(uint32_t capacity) { return capacity + capacity / 4 + 1; }
  static uint64_t BytesFor(uint32_t capacity) { return uint64_t(SlotsFor(capacity)) * sizeof(uint64_t); }
  uint64_t ArrayBytes() const { return uint64_t(SlotCount) * sizeof(uint64_t); }

 private:
  uint32_t KeyBytes;
  TKeySource Source;
  uint64_t* Slots = nullptr;
  uint32_t SlotCount = 0;
  uint32_t Cap = 0;
  uint32_t Used = 0;

  uint32_t Home(uint32_t sum) const { return uint32_t((uint64_t(sum) * SlotCount) >> 32); }
  static uint32_t SumOf(uint64_t slot) { return uint32_t(slot >> 32); }
  static uint32_t HandleOf(uint64_t slot) { return uint32_t(slot); }
  static uint64_t SlotOf(uint32_t handle, uint32_t sum) { return (uint64_t(sum) << 32) | handle; }

  bool Equal(uint32_t handle, const uint8_t* key) const { return KeysEqual(Source.At(handle), key, KeyBytes); }
  void Place(uint64_t slot);
  bool Make(uint32_t capacity);
  void Release();
};

} // namespace zrk
