#include "VexBaseUnknown.h"

#include <utility>

namespace {

using Key = std::pair<std::string, std::string>;

std::map<Key, VexExtensionRegistry::Factory>& Factories() {
  static std::map<Key, VexExtensionRegistry::Factory> factories;
  return factories;
}

}  // namespace

void VexBaseUnknown::Release() {
  if (--references_ <= 0) delete this;
}

VexBaseUnknown::~VexBaseUnknown() {
  if (!extensions_) return;
  for (auto& [name, extension] : *extensions_) delete extension;
}

VexBaseUnknown* VexBaseUnknown::QueryInterface(const VexIID& iid) {
  if (iid.offeredBy(this)) return this;
  const char* kind = GetExtensionKind();
  if (!kind || !*kind) return nullptr;
  if (extensions_) {
    auto found = extensions_->find(iid.name);
    if (found != extensions_->end()) return found->second;
  }
  VexExtensionRegistry::Factory factory = VexExtensionRegistry::Find(kind, iid.name);
  if (!factory) return nullptr;
  VexExtension* extension = factory(this);
  if (!extension) return nullptr;
  if (!extensions_) extensions_ = std::make_unique<Extensions>();
  extensions_->emplace(iid.name, extension);
  return extension;
}

VexBaseUnknown* VexExtension::QueryInterface(const VexIID& iid) {
  if (iid.offeredBy(this)) return this;
  return outer_->QueryInterface(iid);
}

namespace {

std::map<std::string, const VexIID*>& Interfaces() {
  static std::map<std::string, const VexIID*> interfaces;
  return interfaces;
}

}  // namespace

// The first definition stays: a library loaded later (a module built with hidden symbols keeps
// its own copy of an interface's identifier) must not leave a pointer into itself behind.
void VexInterfaceRegistry::Register(const VexIID& iid) { Interfaces().emplace(iid.name, &iid); }

const VexIID* VexInterfaceRegistry::Find(const char* name) {
  auto found = Interfaces().find(name ? name : "");
  return found == Interfaces().end() ? nullptr : found->second;
}

bool VexOffersInterface(VexBaseUnknown* object, const char* interfaceName) {
  const VexIID* iid = VexInterfaceRegistry::Find(interfaceName);
  return object && iid && object->QueryInterface(*iid) != nullptr;
}

void VexExtensionRegistry::Register(const char* kind, const char* interfaceName, Factory factory) {
  Factories()[Key(kind, interfaceName)] = factory;
}

VexExtensionRegistry::Factory VexExtensionRegistry::Find(const char* kind,
                                                         const char* interfaceName) {
  auto found = Factories().find(Key(kind, interfaceName));
  return found == Factories().end() ? nullptr : found->second;
}
