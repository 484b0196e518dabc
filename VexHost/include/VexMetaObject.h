#pragma once
// Run-time class descriptions: name, base, kind, and the identifiers that notification
// subscriptions and class queries rely on. Each class registers once, on first use.

#include <string>

class VexBaseUnknown;

class VexMetaObject {
 public:
  VexMetaObject(const char* className, int classKind, const VexMetaObject* base,
                const char* lateTypeName, const char* frameworkName);
  VexMetaObject(const VexMetaObject&) = delete;
  VexMetaObject& operator=(const VexMetaObject&) = delete;

  const char* GetClassName() const { return className_.c_str(); }
  int GetClassKind() const { return classKind_; }
  const VexMetaObject* GetBase() const { return base_; }
  const char* GetLateTypeName() const { return lateTypeName_.c_str(); }
  const char* GetFrameworkName() const { return frameworkName_.c_str(); }
  /// A number unique to this class within the process.
  int GetClassId() const { return classId_; }
  /// True when this class is `className` or derives from it.
  bool IsAKindOf(const char* className) const;

  /// The description registered under `className`, or null.
  static const VexMetaObject* Find(const char* className);

 private:
  std::string className_;
  int classKind_;
  const VexMetaObject* base_;
  std::string lateTypeName_;
  std::string frameworkName_;
  int classId_;
};

/// Declares the class-query members of a class whose root declares them virtual (VexNotification).
#define VEX_DECLARE_CLASS(Cls)                                   \
 public:                                                         \
  static const VexMetaObject* MetaObject();                      \
  const VexMetaObject* GetMetaObject() const override;           \
  static const char* ClassName();                                \
  const char* IsA() const override;                              \
  int IsAKindOf(const char* className) const override;           \
  static int ClassId();                                          \
  static VexBaseUnknown* CreateItself()

/// Defines them; the meta object is built on first use, with class kind 1.
#define VEX_IMPLEMENT_CLASS(Cls, Base, LateTypeName, FrameworkName)                             \
  const VexMetaObject* Cls::MetaObject() {                                                     \
    static const VexMetaObject meta(#Cls, 1, Base::MetaObject(), LateTypeName, FrameworkName); \
    return &meta;                                                                              \
  }                                                                                            \
  const VexMetaObject* Cls::GetMetaObject() const { return MetaObject(); }                     \
  const char* Cls::ClassName() { return #Cls; }                                                \
  const char* Cls::IsA() const { return #Cls; }                                                \
  int Cls::IsAKindOf(const char* className) const {                                            \
    return MetaObject()->IsAKindOf(className) ? 1 : 0;                                         \
  }                                                                                            \
  int Cls::ClassId() { return MetaObject()->GetClassId(); }                                    \
  VexBaseUnknown* Cls::CreateItself() { return nullptr; }
