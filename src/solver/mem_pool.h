#pragma once
// TMem: a bump allocator over 4 MB blocks. Records are never freed one by one; Clear returns every
// block at once. A refused block is reported as null and leaves the pool usable.
//
// Besides plain pointers the pool hands out 32-bit handles for even addresses in its first blocks,
// so that hash tables can store keys in 32 bits on a 64-bit machine (see TKeySource).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "solver/key_source.h"

namespace zrk {

constexpr size_t PoolBlockSize = 0x400000;   // 4,194,304 bytes
constexpr size_t PoolBlockHeader = 12;       // next block, previous block, usable size (32 bits each)
constexpr size_t PoolBlockUsable = PoolBlockSize - PoolBlockHeader; // 4,194,292

class TMem {
 public:
  // Blocks whose even addresses have handles: handle = (block number + 1) << 21 | offset / 2,
  // kept below 2^31 so that a table can tag it.
  static constexpr uint32_t HandleShift = 21;
  static constexpr uint32_t HandleBlocks = (1u << (31 - HandleShift)) - 1; // 1023

  TMem();
  ~TMem();
  TMem(const TMem&) = delete;
  TMem& operator=(const TMem&) = delete;

  void* Alloc(size_t n);
  void* AllocAligned(size_t n);
  void* AllocEven(size_t n);
  void* AllocZeroed(size_t n);
  void* Realloc(const void* old, size_t oldSize, size_t newSize);
  void Clear();

  // Handle of an even address inside one of the first HandleBlocks blocks; 0 when it has none.
  uint32_t Handle(const void* p) const;
  // Resolves the handles of this pool (valid for the pool's whole life, across Clear).
  TKeySource KeySource() const { return TKeySource{BlockTable.get(), HandleShift, (1u << HandleShift) - 1, 2, 0}; }

  size_t BlockCount() const { return Blocks.size(); }
  bool Empty() const { return Blocks.empty(); }

 private:
  // Fields as the allocator sees them: the current block and the free range inside it.
  uint8_t* Cursor = nullptr;
  uint8_t* End = nullptr;
  std::vector<uint8_t*> Blocks;             // every block, in the order taken (block numbers)
  std::unique_ptr<uint8_t*[]> BlockTable;   // handle block index -> block, entry 0 unused

  void* NewBlock(size_t n);
  void* AlignAndAlloc(size_t n, uintptr_t alignment);
};

} // namespace zrk
