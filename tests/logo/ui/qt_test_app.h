#pragma once
// One QApplication on the offscreen platform for the window tests.
#include <QApplication>
#include <cstdlib>

namespace norva::logo::testing {

inline QApplication& testApp() {
  static int argc = 1;
  static char name[] = "glyphane_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *app;
}

}  // namespace norva::logo::testing
