#pragma once
// The one Qt application object of a test program, on the offscreen platform:
// offscreenApp<QGuiApplication>() for painting and image readers, offscreenApp<QApplication>()
// for widgets. A program uses one kind; asking for a widget application after a plain one was
// made is a mistake in the test program and stops it.
#include <QGuiApplication>
#include <cstdlib>

namespace norva::testing {

template <typename App = QGuiApplication>
App& offscreenApp() {
  if (QCoreApplication::instance() != nullptr) {
    auto* existing = qobject_cast<App*>(QCoreApplication::instance());
    if (existing == nullptr) std::abort();
    return *existing;
  }
  static int argc = 1;
  static char name[] = "norva_tests";
  static char* argv[] = {name, nullptr};
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return *new App(argc, argv);
}

}  // namespace norva::testing
