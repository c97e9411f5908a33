#pragma once
// Large zero-filled arrays straight from the system, asking for huge pages: the position table and
// the record blocks are read at random over gigabytes, where 4 KB pages make every lookup a TLB miss.

#include <cstddef>

namespace zrk {

// Zero-filled memory of `bytes`, null when refused. Release with BigFree and the same size.
void* BigAlloc(size_t bytes);
void BigFree(void* p, size_t bytes);

} // namespace zrk
