#include "VexClassDictionary.h"

VexClassDictionary& VexClassDictionary::Instance() {
  static VexClassDictionary dictionary;
  return dictionary;
}

void VexClassDictionary::Register(const char* name, Factory factory) {
  std::lock_guard lock(mutex_);
  factories_[name] = factory;
}

void VexClassDictionary::Unregister(const char* name, Factory factory) {
  std::lock_guard lock(mutex_);
  auto found = factories_.find(name);
  if (found != factories_.end() && found->second == factory) factories_.erase(found);
}

VexClassDictionary::Factory VexClassDictionary::Find(const char* name) const {
  std::lock_guard lock(mutex_);
  auto found = factories_.find(name ? name : "");
  return found == factories_.end() ? nullptr : found->second;
}

VexBaseUnknown* VexClassDictionary::Create(const char* name) const {
  Factory factory = Find(name);
  return factory ? factory() : nullptr;
}
