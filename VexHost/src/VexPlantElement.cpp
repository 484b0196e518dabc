#include "VexPlantElement.h"

#include <algorithm>

namespace {

auto ByName() {
  return [](const VexElementAttribute& attribute, const VexString& name) {
    return attribute.name < name;
  };
}

}  // namespace

VexPlantElement::VexPlantElement(VexDocument* document, std::int64_t id, VexUnicodeString name,
                                 VexVar<VexTypeDescriptor> type, VexElementKind kind)
    : document_(document), id_(id), name_(std::move(name)), type_(std::move(type)), kind_(kind) {}

const VexElementAttribute* VexPlantElement::FindAttribute(const VexString& name) const {
  auto found = std::lower_bound(attributes_.begin(), attributes_.end(), name, ByName());
  return found != attributes_.end() && found->name == name ? &*found : nullptr;
}

std::optional<double> VexPlantElement::GetNumberAttribute(const VexString& name) {
  const VexElementAttribute* attribute = FindAttribute(name);
  if (!attribute || !attribute->IsNumber()) return std::nullopt;
  return std::get<double>(attribute->value);
}

std::optional<VexUnicodeString> VexPlantElement::GetTextAttribute(const VexString& name) {
  const VexElementAttribute* attribute = FindAttribute(name);
  if (!attribute || attribute->IsNumber()) return std::nullopt;
  return std::get<VexUnicodeString>(attribute->value);
}

VexBaseUnknown_var VexPlantElement::GetImpl(int /*mode*/) { return VexBaseUnknown_var(this); }

void VexPlantElement::PutAttribute(VexElementAttribute attribute) {
  auto found = std::lower_bound(attributes_.begin(), attributes_.end(), attribute.name, ByName());
  if (found != attributes_.end() && found->name == attribute.name) {
    *found = std::move(attribute);
  } else {
    attributes_.insert(found, std::move(attribute));
  }
}

void VexPlantElement::EraseAttribute(const VexString& name) {
  auto found = std::lower_bound(attributes_.begin(), attributes_.end(), name, ByName());
  if (found != attributes_.end() && found->name == name) attributes_.erase(found);
}
