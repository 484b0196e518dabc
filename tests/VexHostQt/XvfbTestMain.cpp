// Tests that draw with OpenGL: Qt 6 cannot make an OpenGL context on its offscreen platform, so
// they run on an X server of their own (Xvfb, Mesa's software renderer) when none is set.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "VexQtDisplay.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();  // discovery needs no display
  std::unique_ptr<VexQtVirtualDisplay> display;
  if (!VexQtIsDisplayAvailable()) display = std::make_unique<VexQtVirtualDisplay>();
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
