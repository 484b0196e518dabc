#pragma once
// The host's lists: indexed from 1, as every caller in the workbench counts.
// VexListVal holds values; VexListPtr owns the objects it points to.

#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "VexError.h"

namespace vex_detail {
[[noreturn]] void ThrowListIndexError(int position, int size);
}

template <class T>
class VexListVal {
 public:
  VexListVal() = default;
  /// Reserves room for `capacity` entries; the list still starts empty.
  explicit VexListVal(int capacity) { items_.reserve(capacity > 0 ? capacity : 0); }
  VexListVal(std::initializer_list<T> items) : items_(items) {}

  int Size() const { return static_cast<int>(items_.size()); }
  /// Room for `capacity` entries in all, so that appending up to it moves none of them.
  void Reserve(int capacity) { items_.reserve(capacity > 0 ? capacity : 0); }
  void Append(const T& item) { items_.push_back(item); }
  void Append(T&& item) { items_.push_back(std::move(item)); }

  /// Entry number `position`, 1 to Size(); any other position is a programming error.
  T& operator[](int position) { return items_[Index(position)]; }
  const T& operator[](int position) const { return items_[Index(position)]; }

  void RemoveAll() { items_.clear(); }
  /// Removes entry `position` (1-based); out-of-range positions change nothing.
  void RemovePosition(int position) {
    if (position >= 1 && position <= Size()) items_.erase(items_.begin() + (position - 1));
  }
  /// 1-based position of the first entry equal to `item`, 0 when there is none.
  int Locate(const T& item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i] == item) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  /// Removes later repetitions, keeping each first occurrence in its place.
  void RemoveDuplicates() {
    if constexpr (requires(const T& t) { std::hash<T>{}(t); }) {
      // The set points at the entries instead of copying them; entries are moved only after
      // every one has been looked at.
      auto hash = [](const T* item) { return std::hash<T>{}(*item); };
      auto equal = [](const T* a, const T* b) { return *a == *b; };
      std::unordered_set<const T*, decltype(hash), decltype(equal)> seen(items_.size(), hash, equal);
      std::vector<bool> keep(items_.size());
      for (std::size_t i = 0; i < items_.size(); ++i) keep[i] = seen.insert(&items_[i]).second;
      std::size_t kept = 0;
      for (std::size_t i = 0; i < items_.size(); ++i) {
        if (!keep[i]) continue;
        if (kept != i) items_[kept] = std::move(items_[i]);
        ++kept;
      }
      items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(kept), items_.end());
    } else {
      std::vector<T> kept;
      for (auto& item : items_) {
        bool repeated = false;
        for (const auto& k : kept) repeated = repeated || (k == item);
        if (!repeated) kept.push_back(std::move(item));
      }
      items_ = std::move(kept);
    }
  }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  friend bool operator==(const VexListVal& a, const VexListVal& b) { return a.items_ == b.items_; }

 private:
  std::size_t Index(int position) const {
    if (position < 1 || position > Size()) vex_detail::ThrowListIndexError(position, Size());
    return static_cast<std::size_t>(position - 1);
  }

  std::vector<T> items_;
};

/// A list that owns its entries: removing an entry, or the list, deletes the object.
template <class T>
class VexListPtr {
 public:
  VexListPtr() = default;
  explicit VexListPtr(int capacity) { items_.reserve(capacity > 0 ? capacity : 0); }

  int Size() const { return static_cast<int>(items_.size()); }
  void Append(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }
  /// Entry number `position`, 1 to Size(); null for an empty slot.
  T* operator[](int position) const {
    if (position < 1 || position > Size()) vex_detail::ThrowListIndexError(position, Size());
    return items_[position - 1].get();
  }
  /// Deletes the entries from the last to the first, then empties the list.
  void RemoveAll() {
    while (!items_.empty()) items_.pop_back();
  }
  ~VexListPtr() { RemoveAll(); }
  VexListPtr(VexListPtr&&) noexcept = default;
  VexListPtr& operator=(VexListPtr&&) noexcept = default;

 private:
  std::vector<std::unique_ptr<T>> items_;
};

class VexUnicodeString;
using VexListValVexUnicodeString = VexListVal<VexUnicodeString>;
using VexListValInt = VexListVal<int>;
