#pragma once
// VexLargeArrayAllocator: an allocator for the arrays that index a whole network (hash slots, row
// lists). Arrays of several megabytes are placed on large pages: a lookup at a random place in
// such an array otherwise costs an address translation miss on top of the cache miss.
// Smaller arrays come from the general allocator as usual.
#include <cstddef>
#include <new>

namespace VexLargePages {
/// At least `bytes` on large pages when the system has them; released with Release.
void* Take(std::size_t bytes);
void Release(void* memory) noexcept;
inline constexpr std::size_t kThreshold = std::size_t{4} << 20;
}  // namespace VexLargePages

template <class T>
class VexLargeArrayAllocator {
 public:
  using value_type = T;

  VexLargeArrayAllocator() = default;
  template <class U>
  VexLargeArrayAllocator(const VexLargeArrayAllocator<U>&) noexcept {}

  T* allocate(std::size_t count) {
    const std::size_t bytes = count * sizeof(T);
    if (bytes >= VexLargePages::kThreshold) return static_cast<T*>(VexLargePages::Take(bytes));
    return static_cast<T*>(::operator new(bytes, std::align_val_t{alignof(T)}));
  }
  void deallocate(T* memory, std::size_t count) noexcept {
    const std::size_t bytes = count * sizeof(T);
    if (bytes >= VexLargePages::kThreshold) {
      VexLargePages::Release(memory);
    } else {
      ::operator delete(memory, bytes, std::align_val_t{alignof(T)});
    }
  }

  template <class U>
  bool operator==(const VexLargeArrayAllocator<U>&) const noexcept {
    return true;
  }
};
