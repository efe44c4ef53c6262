// marvessa-drive: runs the real viewer or editor window offscreen from a
// script of user actions, printing what the program shows.
//   marvessa-drive --lang es|en [--folder DIR] [SCRIPT]
//   marvessa-drive --editor --lang es|en [--folder DIR] [SCRIPT]
// Without --folder the program keeps its files where the program would.
// --visible shows the window on the display the environment names (for
// screenshots) instead of Qt's offscreen platform. --fail-writes-after N
// makes file writes fail as on a full disk once N bytes were written.
#include "platform/SafeWrite.h"
#include "tools/DriverOptions.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
  DriverOptions options;
  std::string why;
  if (!ParseDriverOptions(argc, argv, options, why)) {
    std::fprintf(stderr, "marvessa-drive: %s\n", why.c_str());
    std::fprintf(stderr, "usage: marvessa-drive [--editor] [--visible] --lang es|en [--folder DIR]\n"
                 "                      [--fail-writes-after BYTES] [SCRIPT]\n");
    return 2;
  }
  if (!options.visible) qputenv("QT_QPA_PLATFORM", "offscreen");
  // A disk that fills up, where no small file system can be mounted for it.
  if (options.failWritesAfter >= 0) SetWriteFailureAfterBytes(options.failWritesAfter);
  QApplication app(argc, argv);
  return options.editor ? RunEditorDriver(options) : RunViewerDriver(options);
}
