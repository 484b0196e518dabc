#pragma once
// The host's plant element. Each element of a document is loaded once and stays the same object
// for the whole session; it changes only through its document, which records every change.

#include <memory>

#include "VexIAECElement.h"
#include "VexTypeDescriptor.h"

class VexPlantElement : public VexIAECElement {
 public:
  VexPlantElement(VexDocument* document, std::int64_t id, VexUnicodeString name,
                  VexVar<VexTypeDescriptor> type, VexElementKind kind);

  std::int64_t GetId() override { return id_; }
  VexUnicodeString GetName() override { return name_; }
  VexITypeDescriptor_var GetTypeDescriptor() override { return VexITypeDescriptor_var(type_); }
  VexElementKind GetKind() override { return kind_; }
  const std::vector<VexRoutePoint>& GetRoutePoints() override { return route_; }
  const std::vector<VexElementAttribute>& GetAttributes() override { return attributes_; }
  std::optional<double> GetNumberAttribute(const VexString& name) override;
  std::optional<VexUnicodeString> GetTextAttribute(const VexString& name) override;
  VexBaseUnknown_var GetImpl(int mode) override;
  VexDocument* GetDocument() override { return document_; }
  const char* GetExtensionKind() const override { return "VexPlantElement"; }

  std::int64_t Id() const { return id_; }
  const VexUnicodeString& Name() const { return name_; }
  const VexUnicodeString& TypeText() const { return type_->GetText(); }

 protected:
  ~VexPlantElement() override = default;

 private:
  friend class VexDocument;
  friend class VexPlantElementLoader;

  const VexElementAttribute* FindAttribute(const VexString& name) const;
  /// Replaces or inserts, keeping the attributes sorted by name.
  void PutAttribute(VexElementAttribute attribute);
  void EraseAttribute(const VexString& name);

  VexDocument* document_;
  std::int64_t id_;
  VexUnicodeString name_;
  VexVar<VexTypeDescriptor> type_;
  VexElementKind kind_;
  std::vector<VexRoutePoint> route_;
  std::vector<VexElementAttribute> attributes_;
};
