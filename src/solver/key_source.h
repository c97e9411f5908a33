#pragma once
// How a hash table turns a 32-bit key handle back into the key's bytes.
//
// The tables keep keys by handle rather than by pointer, so that a bucket slot and a chain cell take
// 32 bits on a 64-bit machine. A handle names an item in a list of equal-sized blocks: its high bits
// (from Shift up) index the block table, its low bits the item inside the block.

#include <cstdint>

namespace zrk {

struct TKeySource {
  uint8_t* const* Blocks = nullptr; // block table; entry 0 is never used by a valid handle
  uint32_t Shift = 0;               // bits of the item index
  uint32_t Mask = 0;                // (1 << Shift) - 1
  uint32_t Stride = 0;              // bytes per item index
  uint32_t Offset = 0;              // bytes from the item to its key

  const uint8_t* At(uint32_t handle) const {
    return Blocks[handle >> Shift] + size_t(handle & Mask) * Stride + Offset;
  }
};

} // namespace zrk
