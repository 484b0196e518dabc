#pragma once
// A navigation box: a widget that shows objects as roots of a graph, each with its children to the
// controller's depth. What it shows is the tree its container drew at the last UpdateDisplay.

#include "VexDialog.h"
#include "VexNavigContainer.h"

class VexFrmEditor;

class VexNavigBox : public VexDialog {
 public:
  /// A box for `editor` with the raw graph style and profile name, a size in pixels, and no
  /// viewer or viewpoint of its own in this host (both stored, may be null).
  VexNavigBox(VexDialog* parent, const char* name, VexFrmEditor* editor, int graphStyle,
              const char* profileName, int width, int height, void* viewer, void* viewpoint);
  const char* GetKindName() const override { return "VexNavigBox"; }

  VexNavigController* GetController() { return container_->GetController(); }
  /// The container, which offers VexINavigContainer and VexImplViewer.
  VexBaseUnknown_var GetContainer() const { return VexBaseUnknown_var(container_.get()); }
  VexFrmEditor* GetEditor() const { return editor_; }
  const std::string& GetProfileName() const { return profileName_; }

  /// A person asks for the contextual menu of `object` in the graph: a
  /// VexGraphContextNotification is sent with the box as sender.
  void RequestContextByUser(VexBaseUnknown_var object);
  std::string DescribeState() const override;

 protected:
  ~VexNavigBox() override = default;

 private:
  VexVar<VexNavigContainer> container_;
  VexFrmEditor* editor_;
  int graphStyle_;
  std::string profileName_;
  int width_;
  int height_;
};
