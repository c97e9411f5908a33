#pragma once
// THashV: a hash table of keys that carry their own size in their first 32-bit little-endian word
// (the whole key's bytes, that word included), held by 32-bit handles. Used for the solver's
// figure classes and the play engine's shape classes. No duplicate check on insertion, no removal.

#include <cstdint>

#include "solver/hash_core.h"
#include "solver/key_source.h"

namespace zrk {

class THashV {
 public:
  static constexpr uint32_t InitialCapacity = 1024;

  explicit THashV(TKeySource source = {}) : Source(source) {}
  THashV(const THashV&) = delete;
  THashV& operator=(const THashV&) = delete;

  void SetSource(const TKeySource& source) { Source = source; }

  // Handle of the equal stored key, 0 when none.
  uint32_t Find(const uint8_t* key);
  bool Insert(uint32_t handle);
  bool Resize(uint32_t capacity);
  void Clear() { A.Release(); }

  static uint32_t KeySize(const uint8_t* key);
  static uint32_t Hash(const uint8_t* key);

  uint32_t Count() const { return A.Count; }
  uint32_t Capacity() const { return A.Capacity; }
  uint32_t BucketCount() const { return A.BucketCount; }
  uint32_t ChainCapacity() const { return A.ChainCapacity; }
  uint32_t CellsInUse() const { return A.CellsInUse; }
  uint32_t LastBucket() const { return A.LastBucket; }

 private:
  TKeySource Source;
  THashArrays A;

  bool Equal(uint32_t handle, const uint8_t* key, uint32_t size) const;
};

} // namespace zrk
