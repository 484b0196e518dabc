#pragma once
// The host's navigation container: roots, the controller's settings, the graph and the tree last
// drawn by UpdateDisplay.

#include <memory>
#include <string>
#include <vector>

#include "VexGraph.h"
#include "VexINavigContainer.h"
#include "VexImplViewer.h"
#include "VexNavigController.h"

class VexNavigContainer : public VexINavigContainer, public VexImplViewer {
 public:
  void RemoveAllRoots() override { roots_.RemoveAll(); }
  void AddRoot(const VexBaseUnknown_var& root) override;
  std::unique_ptr<VexListValVexBaseUnknown_var> ListRoots() const override;
  void UpdateDisplay() override;
  VexGraph* GetGraph() override { return &graph_; }

  VexNavigController* GetController() { return &controller_; }
  /// The tree drawn by the last UpdateDisplay: one line per object, two blanks per level.
  const std::string& GetDisplayedText() const { return displayed_; }

 protected:
  ~VexNavigContainer() override = default;

 private:
  void Draw(const VexBaseUnknown_var& object, int level, std::vector<const VexBaseUnknown*>& shown);

  VexListValVexBaseUnknown_var roots_;
  VexNavigController controller_;
  VexGraph graph_;
  std::string displayed_;
};
