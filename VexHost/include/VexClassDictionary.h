#pragma once
// The host's class dictionary: loaded libraries register factories by name; the host creates
// objects by name without linking against the library.

#include <map>
#include <mutex>
#include <string>

class VexBaseUnknown;

class VexClassDictionary {
 public:
  using Factory = VexBaseUnknown* (*)();

  static VexClassDictionary& Instance();

  /// Registers `factory` under `name`; a second registration of the same name replaces the first.
  void Register(const char* name, Factory factory);
  /// Forgets `name` if it is registered with `factory` (a library being unloaded).
  void Unregister(const char* name, Factory factory);
  /// The factory registered under `name`, or null.
  Factory Find(const char* name) const;
  /// A new object of the class registered under `name`, or null when the name is unknown.
  VexBaseUnknown* Create(const char* name) const;

 private:
  mutable std::mutex mutex_;
  std::map<std::string, Factory> factories_;
};
