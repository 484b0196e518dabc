#pragma once
// The graph area of the Navigator tab: a frame holding one navigation box, in which network
// objects are shown as roots of a graph. The tab puts the roots in through the box's container.

#include "VexDlgFrame.h"

class VexDlgCheckButton;
class VexFrmEditor;
class VexNavigBox;
class VexNavigController;

class VexGrdNavigViewer : public VexDlgFrame {
 public:
  /// Without a current editor the viewer stays an empty frame: it has no box.
  explicit VexGrdNavigViewer(VexDialog* parent);
  const char* GetResourceFileName(int level) const override;

  /// The navigation box; null when there is none.
  VexNavigBox* GetGraphViewer();
  /// The box's controller; null when there is no box.
  VexNavigController* GetController();
  /// 1 when the (hidden) reframe check is checked, else 0.
  int GetReframe();

  /// Callback of the graph's context notifications; it only traces.
  void ProcessMenu(VexCommand* sender, VexNotification* notification, void* clientData);

 protected:
  ~VexGrdNavigViewer() override;

 private:
  void InitializePrivateData();
  void BuildNavigationBox(VexFrmEditor* editor);

  VexNavigBox* _pNavigBox;
  VexDlgCheckButton* _pReframeCheck;
};
