#include "VexGrdNetworkObject.h"

#include <algorithm>

bool VexGrdNetworkObject::IsLinkedTo(const VexIAECElement& element) const {
  const VexBaseUnknown* identity = VexIdentityOf(&element);
  return std::any_of(links_.begin(), links_.end(), [&](const VexIAECElement_var& linked) {
    return VexIdentityOf(linked.get()) == identity;
  });
}

std::unique_ptr<VexListValVexBaseUnknown_var> VexGrdNetworkObject::GetNavigationChildren() {
  auto neighbours = GetNeighbours();
  auto children = std::make_unique<VexListValVexBaseUnknown_var>(neighbours->Size());
  for (const auto& neighbour : *neighbours) children->Append(VexBaseUnknown_var(neighbour));
  return children;
}

VexBaseUnknown_var VexGrdNetworkObject::GetImpl(int) {
  return VexBaseUnknown_var(static_cast<VexIGrdNavigate*>(this));
}

std::unique_ptr<VexListValVexIGrd3DComponent_var> VexGrdNetworkObject::NewComponentList() const {
  auto components = std::make_unique<VexListValVexIGrd3DComponent_var>(static_cast<int>(links_.size()));
  for (const auto& element : links_) components->Append(VexIGrd3DComponent_var(element));
  return components;
}

void VexGrdNetworkObject::AppendLinkedElements(VexListValVexIGrdNavigate_var& neighbours) const {
  for (const auto& element : links_) neighbours.Append(VexIGrdNavigate_var(element));
}
