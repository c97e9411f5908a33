#include "solver/position_store.h"

namespace zrk {

void TPositionStore::Reset(uint32_t recordSize) {
  Stride = (recordSize + 1) & ~1u; // records stay at even addresses
  PerBlock = uint32_t(PoolBlockUsable / Stride);
  Shift = 0;
  while ((1u << Shift) < PerBlock) ++Shift;
  Mask = (1u << Shift) - 1;
  MaxSlots = (1u << (31 - Shift)) - 1; // handles stay below 2^31
  Blocks.reset(new uint8_t*[MaxSlots + 1]());
  SlotsUsed = 0;
  Used = PerBlock;
}

uint32_t TPositionStore::New() {
  if (Used == PerBlock) {
    if (SlotsUsed == MaxSlots) return 0;
    auto* block = static_cast<uint8_t*>(Pool.Alloc(size_t(PerBlock) * Stride));
    if (!block) return 0;
    Blocks[++SlotsUsed] = block;
    Used = 0;
  }
  return (SlotsUsed << Shift) | Used++;
}

} // namespace zrk
