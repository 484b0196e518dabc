#pragma once
// The settings that decide what a navigation box shows under its roots.

class VexNavigController {
 public:
  /// Levels shown: 1 the roots only, 2 the roots and their children, and so on.
  void SetDepth(int depth) { depth_ = depth; }
  int GetDepth() const { return depth_; }
  /// 1: an object already shown elsewhere in the box is not shown again.
  void SetNoDuplicate(int noDuplicate) { noDuplicate_ = noDuplicate != 0; }
  bool IsNoDuplicate() const { return noDuplicate_; }
  /// Raw extension mode (stored).
  void SetExtensionMode(int mode) { extensionMode_ = mode; }
  int GetExtensionMode() const { return extensionMode_; }
  /// 1 shows the expand/collapse activators, 0 hides them (stored).
  void SetActivatorsVisibility(int visible) { activatorsVisible_ = visible != 0; }
  bool AreActivatorsVisible() const { return activatorsVisible_; }

 private:
  int depth_ = 1;
  bool noDuplicate_ = false;
  int extensionMode_ = 0;
  bool activatorsVisible_ = true;
};
