#include "VexGrdComponentExtension.h"

#include "VexGrdNetworkModel.h"
#include "VexIAECElement.h"

namespace {

VexExtension* MakeExtension(VexBaseUnknown* element) { return new VexGrdComponentExtension(element); }

// Registered when the library loads, so every plant element offers the network's interfaces.
const bool kRegistered = [] {
  VexExtensionRegistry::Register("VexPlantElement", IID_VexIGrd3DComponent.name, &MakeExtension);
  VexExtensionRegistry::Register("VexPlantElement", IID_VexIGrdNavigate.name, &MakeExtension);
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

std::unique_ptr<VexListValVexIGrdNavigate_var> VexGrdComponentExtension::GetNeighbours() {
  auto neighbours = std::make_unique<VexListValVexIGrdNavigate_var>();
  VexGrdNetworkModel* model = Model();
  if (!model) return neighbours;
  std::int64_t elementId = Element()->GetId();
  for (VexGrdNode* node : model->GetNodesLinkedTo(elementId)) {
    neighbours->Append(VexIGrdNavigate_var(static_cast<VexIGrdNavigate*>(node)));
  }
  for (VexGrdBranch* branch : model->GetBranchesLinkedTo(elementId)) {
    neighbours->Append(VexIGrdNavigate_var(static_cast<VexIGrdNavigate*>(branch)));
  }
  return neighbours;
}

std::unique_ptr<VexListValVexBaseUnknown_var> VexGrdComponentExtension::GetNavigationChildren() {
  auto neighbours = GetNeighbours();
  auto children = std::make_unique<VexListValVexBaseUnknown_var>(neighbours->Size());
  for (const auto& neighbour : *neighbours) children->Append(VexBaseUnknown_var(neighbour));
  return children;
}

VexUnicodeString VexGrdComponentExtension::GetNavigationLabel() {
  VexIAECElement* element = Element();
  return element ? element->GetName() : VexUnicodeString();
}

VexBaseUnknown_var VexGrdComponentExtension::GetImpl(int mode) {
  VexIAECElement* element = Element();
  return element ? element->GetImpl(mode) : VexBaseUnknown_var(GetOuter());
}
