#include "VexMetaObject.h"

#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, const VexMetaObject*> byName;
  int nextId = 1;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

VexMetaObject::VexMetaObject(const char* className, int classKind, const VexMetaObject* base,
                             const char* lateTypeName, const char* frameworkName)
    : className_(className),
      classKind_(classKind),
      base_(base),
      lateTypeName_(lateTypeName ? lateTypeName : ""),
      frameworkName_(frameworkName ? frameworkName : "") {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  classId_ = registry.nextId++;
  registry.byName.emplace(className_, this);
}

bool VexMetaObject::IsAKindOf(const char* className) const {
  if (!className) return false;
  for (const VexMetaObject* meta = this; meta; meta = meta->base_) {
    if (meta->className_ == className) return true;
  }
  return false;
}

const VexMetaObject* VexMetaObject::Find(const char* className) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto found = registry.byName.find(className ? className : "");
  return found == registry.byName.end() ? nullptr : found->second;
}
