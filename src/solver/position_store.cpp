#include "solver/position_store.h"

#include "solver/big_alloc.h"

namespace zrk {

void TPositionStore::Reset(uint32_t recordSize) {
  ReleaseDonated();
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
    uint8_t* block;
    if (HasDonatedBlock()) {
      TDonated& d = Donated[DonatedAt];
      block = d.Base + d.Taken;
      d.Taken += BlockBytes();
    } else {
      block = static_cast<uint8_t*>(Pool.Alloc(BlockBytes()));
      if (!block) return 0;
    }
    Blocks[++SlotsUsed] = block;
    Used = 0;
  }
  return (SlotsUsed << Shift) | Used++;
}

void TPositionStore::Donate(void* memory, size_t bytes) {
  if (!memory) return;
  if (bytes < BlockBytes()) {
    BigFree(memory, bytes); // not one block's worth
    return;
  }
  Donated.push_back(TDonated{static_cast<uint8_t*>(memory), bytes, 0});
}

bool TPositionStore::HasDonatedBlock() const {
  // Spent regions are skipped for good: the index only moves forward.
  while (DonatedAt < Donated.size() && Donated[DonatedAt].Bytes - Donated[DonatedAt].Taken < BlockBytes()) ++DonatedAt;
  return DonatedAt < Donated.size();
}

void TPositionStore::ReleaseDonated() {
  for (const TDonated& d : Donated) BigFree(d.Base, d.Bytes);
  Donated.clear();
  DonatedAt = 0;
}

} // namespace zrk
