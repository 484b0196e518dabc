#pragma once
// An event sent from a command or widget to its subscribers. Subscribers choose notifications by
// class name, so every notification class carries a run-time class description.

#include "VexBaseUnknown.h"
#include "VexMetaObject.h"

class VexNotification : public virtual VexBaseUnknown {
 public:
  explicit VexNotification(int value = 0) : value_(value) {}

  static const VexMetaObject* MetaObject();
  virtual const VexMetaObject* GetMetaObject() const;
  static const char* ClassName() { return "VexNotification"; }
  virtual const char* IsA() const { return "VexNotification"; }
  virtual int IsAKindOf(const char* className) const;
  static int ClassId();
  static VexBaseUnknown* CreateItself() { return nullptr; }

  /// The raw value given at construction (for example an activation type).
  int GetValue() const { return value_; }

 protected:
  ~VexNotification() override = default;

 private:
  int value_;
};

using VexNotification_var = VexVar<VexNotification>;
