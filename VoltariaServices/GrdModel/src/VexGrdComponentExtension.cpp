#include "VexGrdComponentExtension.h"

#include "VexGrdNetworkModel.h"
#include "VexIAECElement.h"

namespace {

VexExtension* MakeExtension(VexBaseUnknown* element) { return new VexGrdComponentExtension(element); }

// Registered when the library loads, so every plant element offers the network's interface.
const bool kRegistered = [] {
  VexExtensionRegistry::Register("VexPlantElement", IID_VexIGrd3DComponent.name, &MakeExtension);
  return true;
}();

}  // namespace

VexIAECElement* VexGrdComponentExtension::Element() const {
  return VexQuery<VexIAECElement>(GetOuter());
}

VexGrdNetworkModel* VexGrdComponentExtension::Model() const {
  VexIAECElement* element = Element();
  VexDocument* document = element ? element->GetDocument() : nullptr;
  return document ? VexGrdNetworkModel::Find(*document) : nullptr;
}

VexListValVexUnicodeString VexGrdComponentExtension::GetLinkedNodeIds() {
  VexListValVexUnicodeString ids;
  if (VexGrdNetworkModel* model = Model()) {
    for (VexGrdNode* node : model->GetNodesLinkedTo(Element()->GetId())) ids.Append(node->Id());
  }
  return ids;
}

VexListValVexUnicodeString VexGrdComponentExtension::GetLinkedBranchIds() {
  VexListValVexUnicodeString ids;
  if (VexGrdNetworkModel* model = Model()) {
    for (VexGrdBranch* branch : model->GetBranchesLinkedTo(Element()->GetId())) {
      ids.Append(branch->GetBranchId());
    }
  }
  return ids;
}
