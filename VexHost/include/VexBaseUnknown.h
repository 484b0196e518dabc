#pragma once
// The counted root of every model object, and the interface query that the `_var` handles run.
//
// An interface is an abstract class deriving virtually from VexBaseUnknown and declared with
// VEX_DECLARE_INTERFACE / VEX_DEFINE_INTERFACE. A handle built from another handle asks the object
// for the interface: the object itself when it implements it, else an extension that a higher layer
// registered for the object's kind (so a plant element of the host can offer an interface of the
// network model without the host knowing the model). Extensions share their object's lifetime and
// identity: asking an extension for any other interface answers from its object.

#include <map>
#include <memory>
#include <string>
#include <type_traits>

#include "VexList.h"

class VexBaseUnknown;

/// Identifies an interface: its name and the test whether an object implements it.
struct VexIID {
  const char* name;
  bool (*offeredBy)(VexBaseUnknown* object);
};

class VexBaseUnknown {
 public:
  VexBaseUnknown() = default;
  VexBaseUnknown(const VexBaseUnknown&) = delete;
  VexBaseUnknown& operator=(const VexBaseUnknown&) = delete;

  virtual void AddRef() { ++references_; }
  /// Drops one reference; the object deletes itself when none is left.
  virtual void Release();
  int GetReferenceCount() const { return references_; }

  /// The object that offers `iid` for this one (itself or one of its extensions), or null.
  /// No reference is added.
  virtual VexBaseUnknown* QueryInterface(const VexIID& iid);

  /// The kind under which extensions are registered for this object; empty when it takes none.
  virtual const char* GetExtensionKind() const { return ""; }

 protected:
  virtual ~VexBaseUnknown();

 private:
  using Extensions = std::map<std::string, VexBaseUnknown*>;  // owned, by interface name
  int references_ = 0;
  // Made at the first extension: most objects (a million network nodes) never take one, and an
  // empty map would cost each of them six words.
  std::unique_ptr<Extensions> extensions_;
};

/// An object that adds interfaces to another one. Counting and further queries go to that object.
class VexExtension : public virtual VexBaseUnknown {
 public:
  explicit VexExtension(VexBaseUnknown* outer) : outer_(outer) {}
  void AddRef() override { outer_->AddRef(); }
  void Release() override { outer_->Release(); }
  VexBaseUnknown* QueryInterface(const VexIID& iid) override;
  VexBaseUnknown* GetOuter() const { return outer_; }

 private:
  VexBaseUnknown* outer_;
};

/// Factories of extensions, by object kind and interface name.
class VexExtensionRegistry {
 public:
  using Factory = VexExtension* (*)(VexBaseUnknown* outer);
  static void Register(const char* kind, const char* interfaceName, Factory factory);
  static Factory Find(const char* kind, const char* interfaceName);
};

/// The object that `object` stands for: the extended object for an extension, else itself.
inline const VexBaseUnknown* VexIdentityOf(const VexBaseUnknown* object) {
  auto* extension = dynamic_cast<const VexExtension*>(object);
  return extension ? extension->GetOuter() : object;
}

template <class I>
bool VexOffers(VexBaseUnknown* object) {
  return dynamic_cast<I*>(object) != nullptr;
}

/// Converts `object` to interface T, asking the object when T is an interface.
template <class T>
T* VexQuery(VexBaseUnknown* object) {
  if (!object) return nullptr;
  if constexpr (requires { T::IID(); }) {
    return dynamic_cast<T*>(object->QueryInterface(T::IID()));
  } else {
    return dynamic_cast<T*>(object);
  }
}

/// Counted handle. Construction from a handle or pointer of another type queries the interface
/// and gives a null handle when the object does not offer it.
template <class T>
class VexVar {
 public:
  VexVar() noexcept = default;
  VexVar(std::nullptr_t) noexcept {}  // NOLINT
  VexVar(T* object) : p_(object) {    // NOLINT: takes a new reference
    if (p_) p_->AddRef();
  }
  template <class U>
    requires(!std::is_convertible_v<U*, T*>)
  explicit VexVar(U* object) : VexVar(VexQuery<T>(object)) {}
  VexVar(const VexVar& other) : VexVar(other.p_) {}
  VexVar(VexVar&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
  template <class U>
  VexVar(const VexVar<U>& other) : VexVar(Convert(other.get())) {}  // NOLINT: the query
  ~VexVar() { Reset(); }

  VexVar& operator=(VexVar other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_) {
      T* p = p_;
      p_ = nullptr;
      p->Release();
    }
  }

  friend bool operator==(const VexVar& a, std::nullptr_t) { return a.p_ == nullptr; }
  /// Same object: an extension counts as the object it extends.
  template <class U>
  friend bool operator==(const VexVar& a, const VexVar<U>& b) {
    return VexIdentityOf(a.p_) == VexIdentityOf(b.get());
  }

 private:
  template <class U>
  static T* Convert(U* object) {
    if constexpr (std::is_convertible_v<U*, T*>) {
      return object;
    } else {
      return VexQuery<T>(object);
    }
  }

  T* p_ = nullptr;
};

/// Interfaces by name, for the callers that name an interface by text ("VexIAECElement").
class VexInterfaceRegistry {
 public:
  struct Registrar {
    explicit Registrar(const VexIID& iid) { Register(iid); }
  };
  static void Register(const VexIID& iid);
  /// The interface called `name`, or null when no loaded library defines it.
  static const VexIID* Find(const char* name);
};

/// True when `object` (or one of its extensions) offers the interface called `interfaceName`.
bool VexOffersInterface(VexBaseUnknown* object, const char* interfaceName);

#define VEX_DECLARE_INTERFACE(I) static const VexIID& IID()

#define VEX_DEFINE_INTERFACE(I)                                            \
  inline constexpr VexIID IID_##I{#I, &VexOffers<I>};                    \
  inline const VexIID& I::IID() { return IID_##I; }                      \
  inline const VexInterfaceRegistry::Registrar vexRegistrar_##I{IID_##I}; \
  using I##_var = VexVar<I>

using VexBaseUnknown_var = VexVar<VexBaseUnknown>;
using VexListValVexBaseUnknown_var = VexListVal<VexBaseUnknown_var>;
