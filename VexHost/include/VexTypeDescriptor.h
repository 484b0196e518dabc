#pragma once
// The host's type descriptor: one per distinct type text in a document, shared by its elements.

#include "VexITypeDescriptor.h"

class VexTypeDescriptor : public VexITypeDescriptor {
 public:
  explicit VexTypeDescriptor(VexUnicodeString typeText) : typeText_(std::move(typeText)) {}
  VexUnicodeString GetTypeText() override { return typeText_; }
  const VexUnicodeString& GetText() const { return typeText_; }

 protected:
  ~VexTypeDescriptor() override = default;

 private:
  VexUnicodeString typeText_;
};
