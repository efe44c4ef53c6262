#include "viewer/shell/ViewerApp.h"

#include "platform/ProgramStart.h"
#include "platform/QtUserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/MainWindow.h"

#include <QApplication>
#include <QTimer>

int RunViewer(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  StartProgram(Text(TextId::ViewerProgramName), Text(TextId::ViewerVersionNumber), "viewer", texts.language);

  QtUserDialogs dialogs;
  const std::unique_ptr<MainWindow> window = StartViewerWindow(dialogs);
  if (!window) return 1;
  dialogs.SetOwner(window.get());
  if (window->ended()) return 0;
  window->show();
  // A text named on the command line (as a file manager passes it) opens
  // once the window shows, after the document of the last run.
  if (const QString file = StartFileArgument(); !file.isEmpty()) {
    QTimer::singleShot(0, window.get(), [&window, file] { window->shell().OpenFromOutside(file.toStdString()); });
  }
  return app.exec();
}
