#include "solver/mem_pool.h"

#include <cstdlib>
#include <cstring>

#include "solver/big_alloc.h"

namespace zrk {

namespace {

// The block header keeps the chain as block numbers plus one (0: none), 32 bits each.
void WriteHeader(uint8_t* block, uint32_t next, uint32_t previous) {
  const uint32_t words[3] = {next, previous, uint32_t(PoolBlockUsable)};
  std::memcpy(block, words, sizeof words);
}

} // namespace

TMem::TMem() : BlockTable(new uint8_t*[HandleBlocks + 1]()) {}

TMem::~TMem() { Clear(); }

void* TMem::NewBlock(size_t n) {
  if (n > PoolBlockUsable) return nullptr;
  auto* block = static_cast<uint8_t*>(BigAlloc(PoolBlockSize));
  if (!block) return nullptr;
  const uint32_t number = uint32_t(Blocks.size());
  WriteHeader(block, 0, number); // previous = number of the current block + 1
  if (number > 0) {
    uint8_t* previous = Blocks.back();
    const uint32_t next = number + 1;
    std::memcpy(previous, &next, sizeof next);
  }
  Blocks.push_back(block);
  if (number < HandleBlocks) BlockTable[number + 1] = block;
  Cursor = block + PoolBlockHeader + n;
  End = block + PoolBlockSize;
  return block + PoolBlockHeader;
}

void* TMem::Alloc(size_t n) {
  if (Cursor && n <= size_t(End - Cursor)) {
    void* p = Cursor;
    Cursor += n;
    return p;
  }
  return NewBlock(n);
}

void* TMem::AlignAndAlloc(size_t n, uintptr_t alignment) {
  if (Cursor) {
    const uintptr_t at = reinterpret_cast<uintptr_t>(Cursor);
    const uintptr_t aligned = (at + alignment - 1) & ~(alignment - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(End);
    Cursor = reinterpret_cast<uint8_t*>(aligned < end ? aligned : end);
  }
  return Alloc(n);
}

void* TMem::AllocAligned(size_t n) { return AlignAndAlloc(n, 4); }
void* TMem::AllocEven(size_t n) { return AlignAndAlloc(n, 2); }

void* TMem::AllocZeroed(size_t n) {
  void* p = AllocAligned(n);
  if (p) std::memset(p, 0, n);
  return p;
}

void* TMem::Realloc(const void* old, size_t oldSize, size_t newSize) {
  void* p = AllocAligned(newSize);
  if (p && old) std::memcpy(p, old, oldSize < newSize ? oldSize : newSize);
  return p;
}

void TMem::Clear() {
  for (uint8_t* block : Blocks) BigFree(block, PoolBlockSize);
  Blocks.clear();
  for (uint32_t i = 0; i <= HandleBlocks; ++i) BlockTable[i] = nullptr;
  Cursor = End = nullptr;
}

uint32_t TMem::Handle(const void* p) const {
  const auto* at = static_cast<const uint8_t*>(p);
  const size_t limit = Blocks.size() < HandleBlocks ? Blocks.size() : HandleBlocks;
  for (size_t i = limit; i-- > 0;) {
    const uint8_t* block = Blocks[i];
    if (at >= block + PoolBlockHeader && at < block + PoolBlockSize) {
      const size_t offset = size_t(at - block);
      if (offset & 1) return 0;
      return uint32_t(((i + 1) << HandleShift) | (offset >> 1));
    }
  }
  return 0;
}

} // namespace zrk
