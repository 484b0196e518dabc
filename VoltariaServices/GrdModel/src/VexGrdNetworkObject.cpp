#include "VexGrdNetworkObject.h"

#include <algorithm>

const std::vector<VexIAECElement_var>& VexGrdNetworkObject::GetLinks() const {
  static const std::vector<VexIAECElement_var> none;
  return extras_ ? extras_->links : none;
}

VexGrdNetworkObject::Extras& VexGrdNetworkObject::MakeExtras() {
  if (!extras_) extras_ = std::make_unique<Extras>();
  return *extras_;
}

void VexGrdNetworkObject::SetNavigationParent(VexBaseUnknown_var parent) {
  if (!parent && !extras_) return;  // no parent is what an object without extras tells already
  MakeExtras().parent.Set(this, std::move(parent));
}

VexBaseUnknown_var VexGrdNetworkObject::GetNavigationParent() {
  return extras_ ? extras_->parent.Get(this) : VexBaseUnknown_var();
}

bool VexGrdNetworkObject::IsLinkedTo(const VexIAECElement& element) const {
  const VexBaseUnknown* identity = VexIdentityOf(&element);
  const auto& links = GetLinks();
  return std::any_of(links.begin(), links.end(), [&](const VexIAECElement_var& linked) {
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
  const auto& links = GetLinks();
  auto components =
      std::make_unique<VexListValVexIGrd3DComponent_var>(static_cast<int>(links.size()));
  for (const auto& element : links) components->Append(VexIGrd3DComponent_var(element));
  return components;
}

void VexGrdNetworkObject::AppendLinkedElements(VexListValVexIGrdNavigate_var& neighbours) const {
  for (const auto& element : GetLinks()) neighbours.Append(VexIGrdNavigate_var(element));
}
