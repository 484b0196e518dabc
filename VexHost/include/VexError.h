#pragma once
// The host's error classes. Failures travel as C++ exceptions; each carries a severity and a
// message named by a catalog key, so the text shown to the user lives in a catalog file.

#include <exception>
#include <string>
#include <vector>

#include "VexString.h"
#include "VexUnicodeString.h"

class VexError : public std::exception {
 public:
  /// `key` names the message in the catalog `catalog`; `parameters` fill its {0}, {1}, ...
  VexError(int severity, VexString key, VexString catalog,
           std::vector<VexUnicodeString> parameters = {});

  int GetSeverity() const { return severity_; }
  const VexString& GetKey() const { return key_; }
  const VexString& GetCatalog() const { return catalog_; }
  const std::vector<VexUnicodeString>& GetParameters() const { return parameters_; }

  /// The user-readable text, built from the catalog with the parameters.
  VexUnicodeString GetMessageText() const;
  const char* what() const noexcept override;

 private:
  int severity_;
  VexString key_;
  VexString catalog_;
  std::vector<VexUnicodeString> parameters_;
  mutable std::string what_;
};

/// A fault of the program itself (a broken invariant, a resource that must exist).
class VexInternalError : public VexError {
 public:
  using VexError::VexError;
};

/// A problem with what the user or the environment gave (a bad file, a missing program).
class VexInputError : public VexError {
 public:
  using VexError::VexError;
};

/// The host's own message catalog, used by the host's errors.
inline constexpr const char* kVexHostCatalog = "VexHostMsgCatalog";
