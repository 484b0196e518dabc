#pragma once
// VexGrdRowList: the network model's objects of one kind by their row in the document, in
// creation order.
//
// Rows only grow, so objects are appended and a row is found by binary search: two arrays side by
// side instead of a tree node per object, which at a million nodes saves a quarter of a gigabyte
// and a pointer chase per step. A deletion leaves a hole; holes are dropped once they are half of
// the list, so a deletion costs O(log n) amortised and walks skip few holes.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "VexBaseUnknown.h"
#include "VexLargeArrayAllocator.h"

template <class T>
class VexGrdRowList {
 public:
  std::size_t Size() const { return rows_.size() - holes_; }

  /// Adds `object` under `row`; a row below the last one is put in its place.
  void Add(std::int64_t row, VexVar<T> object) {
    if (rows_.empty() || rows_.back() < row) {
      rows_.push_back(row);
      objects_.push_back(std::move(object));
      return;
    }
    std::size_t at = IndexOf(row);
    if (at < rows_.size() && rows_[at] == row) {
      if (!objects_[at]) --holes_;
      objects_[at] = std::move(object);
      return;
    }
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), row);
    objects_.insert(objects_.begin() + static_cast<std::ptrdiff_t>(at), std::move(object));
  }

  T* Find(std::int64_t row) const {
    std::size_t at = IndexOf(row);
    return at < rows_.size() && rows_[at] == row ? objects_[at].get() : nullptr;
  }

  /// Removes the object under `row` and hands it over (null when there is none).
  VexVar<T> Take(std::int64_t row) {
    std::size_t at = IndexOf(row);
    if (at == rows_.size() || rows_[at] != row || !objects_[at]) return VexVar<T>();
    VexVar<T> taken = std::move(objects_[at]);
    objects_[at] = VexVar<T>();
    ++holes_;
    DropHolesIfSparse();
    return taken;
  }

  /// Calls `visit(T&)` for each object in row order.
  template <class Visit>
  void ForEach(Visit visit) const {
    for (const VexVar<T>& object : objects_) {
      if (object) visit(*object);
    }
  }

  void Reserve(std::size_t count) {
    rows_.reserve(count);
    objects_.reserve(count);
  }

  void Clear() {
    rows_.clear();
    objects_.clear();
    holes_ = 0;
  }

 private:
  std::size_t IndexOf(std::int64_t row) const {
    return static_cast<std::size_t>(std::lower_bound(rows_.begin(), rows_.end(), row) - rows_.begin());
  }

  void DropHolesIfSparse() {
    if (holes_ < 64 || holes_ * 2 < rows_.size()) return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (!objects_[i]) continue;
      rows_[kept] = rows_[i];
      objects_[kept++] = std::move(objects_[i]);
    }
    rows_.resize(kept);
    objects_.resize(kept);
    holes_ = 0;
  }

  std::vector<std::int64_t, VexLargeArrayAllocator<std::int64_t>> rows_;
  std::vector<VexVar<T>, VexLargeArrayAllocator<VexVar<T>>> objects_;  // null where an object was taken
  std::size_t holes_ = 0;
};
