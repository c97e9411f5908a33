#pragma once
// The position records of one search, carved from 4 MB pool blocks and named by 32-bit handles.
//
// A record is: next (32-bit handle), parent (32-bit handle), layer (16 bits), MoveInfo (16 bits),
// then the position key. A handle is (block slot << Shift) | index in block, block slots counted
// from 1, so that 0 means "no record" and the position table can tag handles in 32 bits.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "solver/key_source.h"
#include "solver/mem_pool.h"

namespace zrk {

constexpr uint32_t RecordHeader = 12;

// Reads finished records without touching the store, whose counters the storing thread writes.
struct TRecordView {
  TKeySource Source; // Offset: the record header

  const uint8_t* Key(uint32_t h) const { return Source.At(h); }
  uint32_t Next(uint32_t h) const {
    uint32_t v;
    std::memcpy(&v, Key(h) - Source.Offset, 4);
    return v;
  }
  uint16_t MoveInfo(uint32_t h) const {
    uint16_t v;
    std::memcpy(&v, Key(h) - Source.Offset + 10, 2);
    return v;
  }
};

class TPositionStore {
 public:
  explicit TPositionStore(TMem& pool) : Pool(pool) {}
  ~TPositionStore() { ReleaseDonated(); }
  TPositionStore(const TPositionStore&) = delete;
  TPositionStore& operator=(const TPositionStore&) = delete;

  // Starts an empty store for records of `recordSize` bytes (key size + 12).
  void Reset(uint32_t recordSize);
  // A fresh record, or 0 when the pool gives no block or the handles are used up.
  uint32_t New();
  // Whether New would need another block from the pool.
  bool NeedsBlock() const { return Used == PerBlock && !HasDonatedBlock(); }
  // Takes over memory from BigAlloc (a position table's old array, its pages already in place) and
  // carves record blocks from it before asking the pool: fresh pages cost the system a zeroing each.
  void Donate(void* memory, size_t bytes);
  uint64_t Capacity() const { return uint64_t(MaxSlots) * PerBlock; } // records that handles can name

  uint8_t* At(uint32_t h) const { return Blocks[h >> Shift] + size_t(h & Mask) * Stride; }
  uint8_t* Key(uint32_t h) const { return At(h) + RecordHeader; }
  TKeySource KeySource() const { return TKeySource{Blocks.get(), Shift, Mask, Stride, RecordHeader}; }
  // Valid until the next Reset.
  TRecordView View() const { return TRecordView{KeySource()}; }

  uint32_t Next(uint32_t h) const { return Get32(At(h)); }
  uint32_t Parent(uint32_t h) const { return Get32(At(h) + 4); }
  uint16_t Layer(uint32_t h) const { return Get16(At(h) + 8); }
  uint16_t MoveInfo(uint32_t h) const { return Get16(At(h) + 10); }
  void SetNext(uint32_t h, uint32_t v) { std::memcpy(At(h), &v, 4); }
  void SetParent(uint32_t h, uint32_t v) { std::memcpy(At(h) + 4, &v, 4); }
  void SetLayer(uint32_t h, uint16_t v) { std::memcpy(At(h) + 8, &v, 2); }
  void SetMoveInfo(uint32_t h, uint16_t v) { std::memcpy(At(h) + 10, &v, 2); }

  uint32_t RecordBytes() const { return Stride; }
  uint64_t BlocksTaken() const { return SlotsUsed; }

 private:
  TMem& Pool;
  uint32_t Stride = 0;
  uint32_t PerBlock = 0;
  uint32_t Shift = 0;
  uint32_t Mask = 0;
  uint32_t MaxSlots = 0;
  uint32_t SlotsUsed = 0;
  uint32_t Used = 0; // records taken from the current block
  std::unique_ptr<uint8_t*[]> Blocks;
  struct TDonated {
    uint8_t* Base;
    size_t Bytes;
    size_t Taken;
  };
  std::vector<TDonated> Donated; // owned; the ones before DonatedAt have no block left
  mutable size_t DonatedAt = 0;

  size_t BlockBytes() const { return size_t(PerBlock) * Stride; }
  bool HasDonatedBlock() const;
  void ReleaseDonated();

  static uint32_t Get32(const uint8_t* p) { uint32_t v; std::memcpy(&v, p, 4); return v; }
  static uint16_t Get16(const uint8_t* p) { uint16_t v; std::memcpy(&v, p, 2); return v; }
};

} // namespace zrk
