#pragma once
// What the network model adds to every plant element of the host: the interface
// VexIGrd3DComponent, registered as an extension of the host kind "VexPlantElement" when the
// library loads. The extension shares the element's identity and lifetime; asking it for any other
// interface (VexIAECElement) answers from the element.

#include "VexBaseUnknown.h"
#include "VexIGrd3DComponent.h"

class VexGrdNetworkModel;
class VexIAECElement;

class VexGrdComponentExtension : public VexExtension, public VexIGrd3DComponent {
 public:
  explicit VexGrdComponentExtension(VexBaseUnknown* element) : VexExtension(element) {}

  VexListValVexUnicodeString GetLinkedNodeIds() override;
  VexListValVexUnicodeString GetLinkedBranchIds() override;

 private:
  VexIAECElement* Element() const;
  /// The model of the element's document when one is loaded; null otherwise.
  VexGrdNetworkModel* Model() const;
};
