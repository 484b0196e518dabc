#pragma once
// The type descriptors of one document: one per distinct type text, shared by the elements.

#include <string>
#include <string_view>
#include <unordered_map>

#include "VexTextHash.h"
#include "VexTypeDescriptor.h"

class VexTypeDescriptorTable {
 public:
  /// The descriptor of `typeText`, made on first use.
  VexVar<VexTypeDescriptor> Intern(std::string_view typeText);
  int GetSize() const { return static_cast<int>(descriptors_.size()); }

 private:
  std::unordered_map<std::string, VexVar<VexTypeDescriptor>, VexTextHash, std::equal_to<>>
      descriptors_;
};
