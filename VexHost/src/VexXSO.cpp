#include "VexXSO.h"

#include <algorithm>

#include "VexError.h"
#include "VexPathElement.h"

const VexBaseUnknown* VexXSO::KeyOf(const VexBaseUnknown_var& object) {
  return VexIdentityOf(VexLeafOf(object).get());
}

int VexXSO::AddElement(const VexBaseUnknown_var& object) {
  if (!object) throw VexInternalError(3, "SelectionNullObject", kVexHostCatalog);
  if (!keys_.insert(KeyOf(object)).second) return 0;
  entries_.push_back(object);
  return 1;
}

int VexXSO::RemoveElement(const VexBaseUnknown_var& object) {
  if (!object) return 0;
  const VexBaseUnknown* key = KeyOf(object);
  if (keys_.erase(key) == 0) return 0;
  entries_.erase(
      std::find_if(entries_.begin(), entries_.end(),
                   [&](const VexBaseUnknown_var& entry) { return KeyOf(entry) == key; }));
  return 1;
}

void VexXSO::Empty() {
  entries_.clear();
  keys_.clear();
}

VexBaseUnknown_var VexXSO::GetElement(int position) const {
  if (position < 1 || position > GetSize()) vex_detail::ThrowListIndexError(position, GetSize());
  return entries_[position - 1];
}

bool VexXSO::Contains(const VexBaseUnknown_var& object) const {
  return object && keys_.count(KeyOf(object)) > 0;
}

std::vector<VexBaseUnknown_var> VexXSO::GetLeaves() const {
  std::vector<VexBaseUnknown_var> leaves;
  leaves.reserve(entries_.size());
  for (const auto& entry : entries_) leaves.push_back(VexLeafOf(entry));
  return leaves;
}
