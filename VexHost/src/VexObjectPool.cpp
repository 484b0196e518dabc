#include "VexObjectPool.h"

#include "VexLargeArrayAllocator.h"

#include <algorithm>
#include <new>
#include <thread>

namespace {

constexpr std::size_t kChunkSize = std::size_t{2} << 20;  // one large page

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif
#else
constexpr bool kPooled = true;
#endif

std::size_t RoundUp(std::size_t size, std::size_t alignment) {
  return (size + alignment - 1) / alignment * alignment;
}

}  // namespace

class VexObjectPool::Guard {
 public:
  explicit Guard(std::atomic_flag& busy) : busy_(busy) {
    while (busy_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  }
  ~Guard() { busy_.clear(std::memory_order_release); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

 private:
  std::atomic_flag& busy_;
};

VexObjectPool::VexObjectPool(std::size_t blockSize, std::size_t alignment)
    : blockSize_(RoundUp(std::max(blockSize, sizeof(FreeBlock)),
                         std::max(alignment, alignof(FreeBlock)))) {}

VexObjectPool::~VexObjectPool() { ReleaseChunks(); }

void* VexObjectPool::Allocate() {
  if (!kPooled) {
    void* block = ::operator new(blockSize_);
    Guard lock(busy_);
    ++live_;
    return block;
  }
  Guard lock(busy_);
  void* block = nullptr;
  if (free_) {
    block = free_;
    free_ = free_->next;
  } else {
    if (static_cast<std::size_t>(freshEnd_ - fresh_) < blockSize_) AddChunk();
    block = fresh_;
    fresh_ += blockSize_;
  }
  ++live_;
  return block;
}

void VexObjectPool::Deallocate(void* block) noexcept {
  if (!block) return;
  if (!kPooled) {
    ::operator delete(block);
    Guard lock(busy_);
    --live_;
    return;
  }
  Guard lock(busy_);
  free_ = new (block) FreeBlock{free_};
  if (--live_ == 0) ReleaseChunks();
}

std::size_t VexObjectPool::GetLiveCount() const {
  Guard lock(busy_);
  return live_;
}

bool VexObjectPool::IsPooling() { return kPooled; }

std::size_t VexObjectPool::GetChunkCount() const {
  Guard lock(busy_);
  return chunks_.size();
}

void VexObjectPool::AddChunk() {
  chunks_.reserve(chunks_.size() + 1);  // first: if it throws, no chunk is lost
  void* chunk = VexLargePages::Take(kChunkSize);
  chunks_.push_back(chunk);
  fresh_ = static_cast<char*>(chunk);
  freshEnd_ = fresh_ + kChunkSize;
}

void VexObjectPool::ReleaseChunks() noexcept {
  for (void* chunk : chunks_) VexLargePages::Release(chunk);
  chunks_.clear();
  chunks_.shrink_to_fit();
  free_ = nullptr;
  fresh_ = freshEnd_ = nullptr;
}
