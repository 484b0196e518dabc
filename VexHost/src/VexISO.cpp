#include "VexISO.h"

#include <algorithm>

VexNavigation3DViewer* VexISO::GetNext3DViewer() {
  return cursor_ < viewers_.size() ? viewers_[cursor_++] : nullptr;
}

void VexISO::Remove3DViewer(VexNavigation3DViewer* viewer) {
  auto found = std::find(viewers_.begin(), viewers_.end(), viewer);
  if (found == viewers_.end()) return;
  // A walk in progress goes on with the viewer that followed the removed one.
  if (static_cast<std::size_t>(found - viewers_.begin()) < cursor_) --cursor_;
  viewers_.erase(found);
}
