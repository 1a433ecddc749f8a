#include "platform/memory.h"

#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace korv {

namespace {

constexpr size_t kSmallPage = size_t{4} << 10;
constexpr size_t kHugePage = size_t{2} << 20;
constexpr size_t kMappedFrom = size_t{1} << 20;

size_t RoundUp(size_t size, size_t unit) {
  return (size + unit - 1) / unit * unit;
}

}  // namespace

size_t MappedLength(size_t size) {
#ifdef __linux__
  if (size < kMappedFrom) return 0;
  const size_t huge = RoundUp(size, kHugePage);
  return huge - size <= size / 8 ? huge : RoundUp(size, kSmallPage);
#else
  (void)size;
  return 0;
#endif
}

uint8_t* AllocateBlock(size_t size) {
  if (size == 0) return nullptr;
  const size_t length = MappedLength(size);
  if (length == 0) return new uint8_t[size];
#ifdef __linux__
  // Mapped with a huge page to spare, then trimmed to start on a boundary.
  void* mapped =
      mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  auto* start = static_cast<uint8_t*>(mapped);
  const auto address = reinterpret_cast<uintptr_t>(start);
  const size_t head = RoundUp(address, kHugePage) - address;
  if (head > 0) munmap(start, head);
  const size_t tail = kHugePage - head;
  if (tail > 0) munmap(start + head + length, tail);
  // Only a hint: without huge pages the block is still there.
  madvise(start + head, length, MADV_HUGEPAGE);
  return start + head;
#else
  return new uint8_t[size];
#endif
}

void FreeBlock(uint8_t* block, size_t size) {
  if (block == nullptr) return;
  const size_t length = MappedLength(size);
  if (length == 0) {
    delete[] block;
    return;
  }
#ifdef __linux__
  munmap(block, length);
#endif
}

}  // namespace korv
