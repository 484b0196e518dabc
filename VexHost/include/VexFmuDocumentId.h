#pragma once
// The identifier of a document chosen in a document chooser: the file it is in.

#include "VexBaseUnknown.h"
#include "VexUnicodeString.h"

class VexFmuDocumentId : public virtual VexBaseUnknown {
 public:
  explicit VexFmuDocumentId(VexUnicodeString path) : path_(std::move(path)) {}
  const VexUnicodeString& GetPath() const { return path_; }

 protected:
  ~VexFmuDocumentId() override = default;

 private:
  VexUnicodeString path_;
};
