// Memory for large blocks of bytes that are filled at once, such as the
// copies of whole map layers the undo history keeps.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korv {

// `size` bytes, not zeroed; null for a size of 0. Throws std::bad_alloc when
// the system has no memory left. On Linux a block of a megabyte or more is
// mapped on its own, at a 2 MB boundary, and asks for huge pages: the system
// then hands it over 2 MB at a time instead of a fault for each 4 kB page
// on first touch, which on a virtual machine costs about ten microseconds
// each (5 ms for a layer of a 1000 x 1000 map).
uint8_t* AllocateBlock(size_t size);
// Gives back a block of AllocateBlock, with the size it was asked for.
void FreeBlock(uint8_t* block, size_t size);

// The length of the mapping AllocateBlock makes for `size` bytes: rounded up
// to whole 2 MB pages where that wastes at most an eighth of the block, else
// to 4 kB pages (the block's whole 2 MB stretches can still be huge pages);
// 0 for a block taken from the ordinary heap.
size_t MappedLength(size_t size);

}  // namespace korv
