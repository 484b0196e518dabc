#include "VexNavigContainer.h"

#include <algorithm>

#include "VexINavigateObject.h"

void VexNavigContainer::AddRoot(const VexBaseUnknown_var& root) {
  if (root) roots_.Append(root);
}

std::unique_ptr<VexListValVexBaseUnknown_var> VexNavigContainer::ListRoots() const {
  return std::make_unique<VexListValVexBaseUnknown_var>(roots_);
}

void VexNavigContainer::UpdateDisplay() {
  displayed_.clear();
  std::vector<const VexBaseUnknown*> shown;
  for (const VexBaseUnknown_var& root : roots_) Draw(root, 1, shown);
}

void VexNavigContainer::Draw(const VexBaseUnknown_var& object, int level,
                             std::vector<const VexBaseUnknown*>& shown) {
  const VexBaseUnknown* identity = VexIdentityOf(object.get());
  if (controller_.IsNoDuplicate()) {
    if (std::find(shown.begin(), shown.end(), identity) != shown.end()) return;
    shown.push_back(identity);
  }
  VexVar<VexINavigateObject> navigable(object);
  std::string label = navigable ? navigable->GetNavigationLabel().str() : "(object)";
  displayed_ += std::string(static_cast<std::size_t>(level - 1) * 2, ' ') + label + "\n";
  if (!navigable || level >= controller_.GetDepth()) return;
  std::unique_ptr<VexListValVexBaseUnknown_var> children = navigable->GetNavigationChildren();
  if (!children) return;
  for (const VexBaseUnknown_var& child : *children) {
    if (child) Draw(child, level + 1, shown);
  }
}
