#include "solver/hash_core.h"

#include <cstdlib>
#include <cstring>

#include "solver/big_alloc.h"

namespace zrk {

bool THashArrays::Make(uint32_t capacity) {
  if (capacity < 1) capacity = 100;
  if (capacity > MaxHashCapacity) capacity = MaxHashCapacity;
  const uint32_t buckets = BucketsFor(capacity);
  const uint32_t cells = CellsFor(capacity);
  auto* b = static_cast<uint32_t*>(BigAlloc(size_t(buckets) * sizeof(uint32_t)));
  auto* c = static_cast<TChainCell*>(BigAlloc(size_t(cells) * sizeof(TChainCell)));
  if (!b || !c) {
    BigFree(b, size_t(buckets) * sizeof(uint32_t));
    BigFree(c, size_t(cells) * sizeof(TChainCell));
    return false;
  }
  Release();
  Buckets = b;
  Cells = c;
  Capacity = capacity;
  BucketCount = buckets;
  ChainCapacity = cells;
  return true;
}

void THashArrays::Release() {
  BigFree(Buckets, size_t(BucketCount) * sizeof(uint32_t));
  BigFree(Cells, size_t(ChainCapacity) * sizeof(TChainCell));
  Buckets = nullptr;
  Cells = nullptr;
  Count = Capacity = BucketCount = ChainCapacity = CellsInUse = CellsTaken = FreeCells = LastBucket = 0;
  FoundSlot = nullptr;
}

void THashArrays::TakeOver(THashArrays& o) {
  Release();
  Count = o.Count;
  Capacity = o.Capacity;
  Buckets = o.Buckets;
  Cells = o.Cells;
  BucketCount = o.BucketCount;
  ChainCapacity = o.ChainCapacity;
  CellsInUse = o.CellsInUse;
  CellsTaken = o.CellsTaken;
  FreeCells = o.FreeCells;
  LastBucket = o.LastBucket;
  o.Buckets = nullptr;
  o.Cells = nullptr;
  o.Release();
}

bool THashArrays::Push(uint32_t bucket, uint32_t handle) {
  uint32_t& slot = Buckets[bucket];
  if (slot == 0) {
    slot = KeySlot(handle);
    ++Count;
    return true;
  }
  uint32_t cell;
  if (FreeCells) {
    cell = SlotCell(FreeCells);
    FreeCells = Cells[cell].Next;
  } else {
    if (CellsTaken >= ChainCapacity && !GrowCells()) return false;
    cell = CellsTaken++;
  }
  ++Count;
  ++CellsInUse;
  Cells[cell].Next = slot;
  Cells[cell].Key = handle;
  slot = CellSlot(cell);
  return true;
}

bool THashArrays::GrowCells() {
  const uint64_t wanted = uint64_t(ChainCapacity) * 2 + 1;
  if (wanted > MaxHashCapacity) return false;
  auto* c = static_cast<TChainCell*>(BigAlloc(size_t(wanted) * sizeof(TChainCell)));
  if (!c) return false;
  std::memcpy(c, Cells, size_t(CellsTaken) * sizeof(TChainCell));
  BigFree(Cells, size_t(ChainCapacity) * sizeof(TChainCell));
  Cells = c;
  ChainCapacity = uint32_t(wanted);
  return true;
}

void THashArrays::Unlink(uint32_t* slot, uint32_t handle) {
  const uint32_t value = *slot;
  if (!SlotIsCell(value)) {
    *slot = 0; // a single key (only a bucket slot holds an untagged key without a cell around it)
  } else {
    const uint32_t cell = SlotCell(value);
    TChainCell& c = Cells[cell];
    if (c.Key == handle) {
      *slot = c.Next;
    } else {
      *slot = KeySlot(c.Key); // the key was the untagged end of the chain: this cell's key takes its place
    }
    c.Next = FreeCells;
    FreeCells = CellSlot(cell);
    --CellsInUse;
  }
  --Count;
}

} // namespace zrk
