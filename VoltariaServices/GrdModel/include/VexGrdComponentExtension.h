#pragma once
// What the network model adds to every plant element of the host: the interfaces
// VexIGrd3DComponent and VexIGrdNavigate, registered as extensions of the host kind
// "VexPlantElement" when the library loads. The extension shares the element's identity and
// lifetime; asking it for any other interface (VexIAECElement) answers from the element.

#include "VexBaseUnknown.h"
#include "VexIGrd3DComponent.h"
#include "VexGrdNavigationParent.h"
#include "VexIGrdNavigate.h"

class VexGrdNetworkModel;
class VexIAECElement;

class VexGrdComponentExtension : public VexExtension,
                                 public VexIGrd3DComponent,
                                 public VexIGrdNavigate {
 public:
  explicit VexGrdComponentExtension(VexBaseUnknown* element) : VexExtension(element) {}

  VexListValVexUnicodeString GetLinkedNodeIds() override;
  VexListValVexUnicodeString GetLinkedBranchIds() override;

  /// The nodes, then the branches, the element is linked to.
  std::unique_ptr<VexListValVexIGrdNavigate_var> GetNeighbours() override;
  std::unique_ptr<VexListValVexBaseUnknown_var> GetNavigationChildren() override;
  VexUnicodeString GetNavigationLabel() override;
  void SetNavigationParent(VexBaseUnknown_var parent) override { parent_.Set(this, std::move(parent)); }
  VexBaseUnknown_var GetNavigationParent() override { return parent_.Get(this); }
  /// The plant element's own implementation object.
  VexBaseUnknown_var GetImpl(int mode) override;

 private:
  VexIAECElement* Element() const;
  /// The model of the element's document when one is loaded; null otherwise.
  VexGrdNetworkModel* Model() const;

  VexGrdNavigationParent parent_;
};
