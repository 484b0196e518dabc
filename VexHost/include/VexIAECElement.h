#pragma once
// A plant element of the 3D model as the workbench sees it: equipment, conduits, trays, cables.
// The host implements it (VexPlantElement); higher layers add their interfaces to the same object
// by extension of the kind "VexPlantElement".

#include <cstdint>
#include <optional>
#include <vector>

#include "VexBaseUnknown.h"
#include "VexElementAttribute.h"
#include "VexElementKind.h"
#include "VexITypeDescriptor.h"
#include "VexRoutePoint.h"
#include "VexString.h"
#include "VexUnicodeString.h"

class VexDocument;

class VexIAECElement : public virtual VexBaseUnknown {
 public:
  VEX_DECLARE_INTERFACE(VexIAECElement);

  /// The stable identifier of the element in its document.
  virtual std::int64_t GetId() = 0;
  virtual VexUnicodeString GetName() = 0;
  /// The element's type, which yields its type text.
  virtual VexITypeDescriptor_var GetTypeDescriptor() = 0;
  virtual VexElementKind GetKind() = 0;
  /// The route of a linear element in millimetres, in order; empty for other elements.
  virtual const std::vector<VexRoutePoint>& GetRoutePoints() = 0;
  /// All attributes, sorted by name.
  virtual const std::vector<VexElementAttribute>& GetAttributes() = 0;
  /// The number stored under `name`, or nothing when there is none or it is a text.
  virtual std::optional<double> GetNumberAttribute(const VexString& name) = 0;
  /// The text stored under `name`, or nothing when there is none or it is a number.
  virtual std::optional<VexUnicodeString> GetTextAttribute(const VexString& name) = 0;
  /// The object that implements the element (for the host's elements, the element itself).
  virtual VexBaseUnknown_var GetImpl(int mode) = 0;
  /// The document holding the element; null once it was deleted or its document closed.
  virtual VexDocument* GetDocument() = 0;
};
VEX_DEFINE_INTERFACE(VexIAECElement);
