#pragma once
// The graph drawing of a navigation box: its layout settings.

class VexGraph {
 public:
  /// 1 centres the graph horizontally in the box, 0 aligns it left.
  void setHorizontalCentered(int centered) { horizontalCentered_ = centered != 0; }
  bool IsHorizontalCentered() const { return horizontalCentered_; }

 private:
  bool horizontalCentered_ = false;
};
