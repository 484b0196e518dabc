#include "VexTypeDescriptorTable.h"

VexVar<VexTypeDescriptor> VexTypeDescriptorTable::Intern(std::string_view typeText) {
  auto found = descriptors_.find(typeText);
  if (found == descriptors_.end()) {
    VexVar<VexTypeDescriptor> descriptor(new VexTypeDescriptor(VexUnicodeString(typeText)));
    found = descriptors_.emplace(std::string(typeText), std::move(descriptor)).first;
  }
  return found->second;
}
