#pragma once
// Message catalogs: texts looked up by key in "<catalog name>.catalog" on the resource path.
//
// A key the catalog lacks, or a catalog that cannot be found, builds the text "[<key>]" so that
// the gap is visible to the user and easy to report, and is written once to standard error.

#include <memory>
#include <string>

#include "VexList.h"
#include "VexString.h"
#include "VexUnicodeString.h"

class VexResourceFile;

/// One message of a catalog, ready to be built with parameters.
class VexMsg {
 public:
  VexMsg() = default;
  VexMsg(std::string key, std::string pattern, bool found)
      : key_(std::move(key)), pattern_(std::move(pattern)), found_(found) {}

  /// The text, with {0}, {1}, ... replaced by the parameters (none when null).
  VexUnicodeString BuildMessage(const VexListValVexUnicodeString* parameters) const;
  bool IsFound() const { return found_; }

 private:
  std::string key_;
  std::string pattern_;
  bool found_ = false;
};

class VexMsgCatalog {
 public:
  /// Loads the catalog `name`; `language` is reserved (null). Returns 0 when found, 1 otherwise.
  int LoadMsgCatalog(const VexString& name, const char* language);
  VexMsg GetCatalogMsg(const VexString& key) const;
  bool HasKey(const VexString& key) const;

 private:
  std::string name_;
  std::shared_ptr<const VexResourceFile> file_;
};
