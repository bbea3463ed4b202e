// The tests' Qt application on the offscreen platform, made once.
#pragma once

#include <QApplication>
#include <cstdlib>

inline void EnsureOffscreenApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "qt_face_tests";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QApplication(argc, argv);
}
