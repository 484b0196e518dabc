#include "VexNavigContainer.h"

#include <algorithm>

#include "VexINavigateObject.h"

void VexNavigContainer::AddRoot(const VexBaseUnknown_var& root) {
  if (root) roots_.Append(root);
}

std::unique_ptr<VexListValVexBaseUnknown_var> VexNavigContainer::ListRoots() const {
  return std::make_unique<VexListValVexBaseUnknown_var>(roots_);
}

void VexNavigContainer::AddDrawObserver(VexNavigObserver* observer) {
  if (observer) observers_.push_back(observer);
}

void VexNavigContainer::RemoveDrawObserver(VexNavigObserver* observer) {
  std::erase(observers_, observer);
}

void VexNavigContainer::UpdateDisplay() {
  displayed_.clear();
  drawn_.clear();
  std::vector<const VexBaseUnknown*> shown;
  for (const VexBaseUnknown_var& root : roots_) Draw(root, 1, -1, shown);
  // A copy: an observer may leave while it is told.
  std::vector<VexNavigObserver*> observers = observers_;
  for (VexNavigObserver* observer : observers) observer->OnNavigationDrawn(*this);
}

void VexNavigContainer::Draw(const VexBaseUnknown_var& object, int level, int parent,
                             std::vector<const VexBaseUnknown*>& shown) {
  const VexBaseUnknown* identity = VexIdentityOf(object.get());
  if (controller_.IsNoDuplicate()) {
    if (std::find(shown.begin(), shown.end(), identity) != shown.end()) return;
    shown.push_back(identity);
  }
  VexVar<VexINavigateObject> navigable(object);
  std::string label = navigable ? navigable->GetNavigationLabel().str() : "(object)";
  displayed_ += std::string(static_cast<std::size_t>(level - 1) * 2, ' ') + label + "\n";
  int index = static_cast<int>(drawn_.size());
  drawn_.push_back({object, label, level, parent});
  if (!navigable || level >= controller_.GetDepth()) return;
  std::unique_ptr<VexListValVexBaseUnknown_var> children = navigable->GetNavigationChildren();
  if (!children) return;
  for (const VexBaseUnknown_var& child : *children) {
    if (child) Draw(child, level + 1, index, shown);
  }
}
