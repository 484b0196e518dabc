#pragma once
// The interactive set of an editor: objects its 3D viewers show besides the document's plant
// elements, and the list of those viewers, walked with Init3DViewerList / GetNext3DViewer.

#include <cstddef>
#include <vector>

#include "VexXSO.h"

class VexNavigation3DViewer;

class VexISO : public VexXSO {
 public:
  /// Restarts the walk over the viewers at the first one.
  void Init3DViewerList() { cursor_ = 0; }
  /// The next viewer, in the order they were opened; null after the last.
  VexNavigation3DViewer* GetNext3DViewer();
  int Get3DViewerCount() const { return static_cast<int>(viewers_.size()); }

  /// Called by the editor that owns the viewers.
  void Add3DViewer(VexNavigation3DViewer* viewer) { viewers_.push_back(viewer); }
  void Remove3DViewer(VexNavigation3DViewer* viewer);

 private:
  std::vector<VexNavigation3DViewer*> viewers_;  // owned by the editor
  std::size_t cursor_ = 0;
};
