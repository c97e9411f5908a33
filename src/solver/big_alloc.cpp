#include "solver/big_alloc.h"

#include <sys/mman.h>

#include <cstdlib>
#include <thread>

namespace zrk {

namespace {
constexpr size_t MapThreshold = size_t(1) << 20; // smaller arrays come from the ordinary heap
}

void* BigAlloc(size_t bytes) {
  if (bytes < MapThreshold) return std::calloc(bytes ? bytes : 1, 1);
  void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  madvise(p, bytes, MADV_HUGEPAGE); // a hint: without huge pages the memory works all the same
  return p;
}

void* BigAllocInPlace(size_t bytes) {
  void* p = BigAlloc(bytes);
#ifdef MADV_POPULATE_WRITE
  constexpr size_t TwoThreadBytes = size_t(64) << 20;
  if (p && bytes >= MapThreshold) {
    // The kernel fills the pages without changing their contents, so the halves may go in parallel.
    // Where the kernel cannot do it, the pages simply come in as they are first written.
    auto* base = static_cast<char*>(p);
    const size_t half = bytes >= TwoThreadBytes && std::thread::hardware_concurrency() > 1 ? (bytes / 2) & ~size_t(4095) : 0;
    if (half) {
      std::thread upper([=] { madvise(base + half, bytes - half, MADV_POPULATE_WRITE); });
      madvise(base, half, MADV_POPULATE_WRITE);
      upper.join();
    } else {
      madvise(base, bytes, MADV_POPULATE_WRITE);
    }
  }
#endif
  return p;
}

void BigFree(void* p, size_t bytes) {
  if (!p) return;
  if (bytes < MapThreshold) std::free(p);
  else munmap(p, bytes);
}

} // namespace zrk
