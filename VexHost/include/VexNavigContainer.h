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

class VexNavigContainer;

/// One object as the last UpdateDisplay drew it, with its place in the drawn tree.
struct VexNavigDrawnObject {
  VexBaseUnknown_var object;
  std::string label;
  int level = 1;    ///< 1 for a root
  int parent = -1;  ///< index of the object it is drawn under; -1 for a root
};

/// What a front end hears of a container: each new drawing, synchronously, as UpdateDisplay ends.
class VexNavigObserver {
 public:
  virtual ~VexNavigObserver() = default;
  virtual void OnNavigationDrawn(VexNavigContainer& container) = 0;
};

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
  /// The same tree as objects, in drawing order (a parent before its children).
  const std::vector<VexNavigDrawnObject>& GetDrawnObjects() const { return drawn_; }

  void AddDrawObserver(VexNavigObserver* observer);
  void RemoveDrawObserver(VexNavigObserver* observer);

 protected:
  ~VexNavigContainer() override = default;

 private:
  void Draw(const VexBaseUnknown_var& object, int level, int parent,
            std::vector<const VexBaseUnknown*>& shown);

  VexListValVexBaseUnknown_var roots_;
  VexNavigController controller_;
  VexGraph graph_;
  std::string displayed_;
  std::vector<VexNavigDrawnObject> drawn_;
  std::vector<VexNavigObserver*> observers_;
};
