#pragma once
// VexObjectPool: the memory of many objects of one size, handed out from large chunks.
//
// A network of a million nodes and branches is two million small objects. Each taken from the
// general allocator carries its bookkeeping, and giving them all back when a plant closes walks
// and merges the allocator's lists for a good part of a second. Here a block is taken from a free
// list or the unused tail of the newest chunk, and given back to the free list, each in a few
// instructions; the chunks themselves go back to the system once no block is in use, so closing a
// plant returns its memory. Chunks ask for large pages, which spares the processor most of its
// address translations when a load or a list refill walks all the objects.
//
// Safe to use from several threads: a short spin lock guards the lists, since nearly every taking
// and giving back happens on the session's thread and a full mutex there cost as much as the rest
// of the work. Under the address sanitizer every block comes from the general
// allocator instead, so that a use after release is still caught.
#include <cstddef>
#include <atomic>
#include <vector>

class VexObjectPool {
 public:
  VexObjectPool(std::size_t blockSize, std::size_t alignment);
  ~VexObjectPool();
  VexObjectPool(const VexObjectPool&) = delete;
  VexObjectPool& operator=(const VexObjectPool&) = delete;

  void* Allocate();
  void Deallocate(void* block) noexcept;
  /// Blocks handed out and not given back.
  std::size_t GetLiveCount() const;
  /// Chunks held from the system.
  std::size_t GetChunkCount() const;
  /// False under the address sanitizer, where blocks come from the general allocator.
  static bool IsPooling();

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  void AddChunk();
  void ReleaseChunks() noexcept;

  class Guard;
  mutable std::atomic_flag busy_;
  std::size_t blockSize_;
  std::vector<void*> chunks_;
  FreeBlock* free_ = nullptr;
  char* fresh_ = nullptr;  // the unused tail of the newest chunk
  char* freshEnd_ = nullptr;
  std::size_t live_ = 0;
};

/// Class-level operator new and delete drawing on one pool per class (`Class` must be the final
/// class of its objects: a derived class of another size falls back to the general allocator).
#define VEX_POOLED_CLASS(Class)                                                        \
 public:                                                                               \
  static void* operator new(std::size_t size) {                                        \
    return size == sizeof(Class) ? PoolOf##Class().Allocate() : ::operator new(size);  \
  }                                                                                    \
  static void operator delete(void* block, std::size_t size) noexcept {                \
    if (size == sizeof(Class)) {                                                       \
      PoolOf##Class().Deallocate(block);                                               \
    } else {                                                                           \
      ::operator delete(block, size);                                                  \
    }                                                                                  \
  }                                                                                    \
  /* Never destroyed: an object released while the program ends still finds it. */      \
  static VexObjectPool& PoolOf##Class() {                                              \
    static VexObjectPool* pool = new VexObjectPool(sizeof(Class), alignof(Class));     \
    return *pool;                                                                      \
  }
