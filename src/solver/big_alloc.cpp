#include "solver/big_alloc.h"

#include <sys/mman.h>

#include <cstdlib>

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

void BigFree(void* p, size_t bytes) {
  if (!p) return;
  if (bytes < MapThreshold) std::free(p);
  else munmap(p, bytes);
}

} // namespace zrk
