#pragma once
// Large zero-filled arrays straight from the system, asking for huge pages: the position table and
// the record blocks are read at random over gigabytes, where 4 KB pages make every lookup a TLB miss.

#include <cstddef>

namespace zrk {

// Zero-filled memory of `bytes`, null when refused. Release with BigFree and the same size.
void* BigAlloc(size_t bytes);
// The same, with every page in place already: for an array that is about to be written all over.
// The first touch of a fresh page costs the system a zeroing (on a virtual machine, also the host's
// own fault), which a large array pays here at once, on both cores, instead of one fault at a time.
void* BigAllocInPlace(size_t bytes);
void BigFree(void* p, size_t bytes);

} // namespace zrk
