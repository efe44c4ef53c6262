#include "tests/fuzz/FuzzSupport.h"

#include <QGuiApplication>

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "marvessa-fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}
