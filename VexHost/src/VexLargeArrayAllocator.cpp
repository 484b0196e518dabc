#include "VexLargeArrayAllocator.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

void* VexLargePages::Take(std::size_t bytes) {
  const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
  void* memory = std::aligned_alloc(kLargePage, rounded);
  if (!memory) throw std::bad_alloc();
  // Only a hint: without large pages the memory works the same.
  madvise(memory, rounded, MADV_HUGEPAGE);
  return memory;
}

void VexLargePages::Release(void* memory) noexcept { std::free(memory); }
