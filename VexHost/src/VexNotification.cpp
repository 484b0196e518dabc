#include "VexNotification.h"

const VexMetaObject* VexNotification::MetaObject() {
  static const VexMetaObject meta("VexNotification", 1, nullptr, "VexNull", "VexHost");
  return &meta;
}

const VexMetaObject* VexNotification::GetMetaObject() const { return MetaObject(); }

int VexNotification::IsAKindOf(const char* className) const {
  return MetaObject()->IsAKindOf(className) ? 1 : 0;
}

int VexNotification::ClassId() { return MetaObject()->GetClassId(); }
