#pragma once
// A set of selected objects in the order they were added (positions from 1). An object is in the
// set at most once: a path element and its leaf, or two paths to the same leaf, count as the same
// entry, and an extension counts as the object it extends.

#include <unordered_set>
#include <vector>

#include "VexBaseUnknown.h"

class VexXSO {
 public:
  VexXSO() = default;
  virtual ~VexXSO() = default;
  VexXSO(const VexXSO&) = delete;
  VexXSO& operator=(const VexXSO&) = delete;

  /// Appends `object` (not null); returns 1 when added, 0 when the set held it already.
  int AddElement(const VexBaseUnknown_var& object);
  /// Removes the entry for `object`; returns 1 when there was one, else 0.
  int RemoveElement(const VexBaseUnknown_var& object);
  void Empty();
  int GetSize() const { return static_cast<int>(entries_.size()); }
  /// Entry `position`, 1 to GetSize(); any other position is an internal error.
  VexBaseUnknown_var GetElement(int position) const;
  VexBaseUnknown_var operator[](int position) const { return GetElement(position); }
  bool Contains(const VexBaseUnknown_var& object) const;
  /// The objects the entries stand for (leaves of paths), in order.
  std::vector<VexBaseUnknown_var> GetLeaves() const;

 private:
  static const VexBaseUnknown* KeyOf(const VexBaseUnknown_var& object);

  std::vector<VexBaseUnknown_var> entries_;
  std::unordered_set<const VexBaseUnknown*> keys_;
};
