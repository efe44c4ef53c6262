// marvessa-drive: runs the real viewer or editor window offscreen from a
// script of user actions, printing what the program shows.
//   marvessa-drive --lang es|en --folder DIR [SCRIPT]
//   marvessa-drive --editor --lang es|en --folder DIR [SCRIPT]
#include "tools/DriverOptions.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  DriverOptions options;
  std::string why;
  if (!ParseDriverOptions(argc, argv, options, why)) {
    std::fprintf(stderr, "marvessa-drive: %s\n", why.c_str());
    std::fprintf(stderr, "usage: marvessa-drive [--editor] --lang es|en --folder DIR [SCRIPT]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return options.editor ? RunEditorDriver(options) : RunViewerDriver(options);
}
