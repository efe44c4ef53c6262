#include "viewer/shell/ViewerApp.h"

#include "platform/ProgramStart.h"
#include "platform/QtUserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/MainWindow.h"

#include <QApplication>

int RunViewer(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  StartProgram(Text(TextId::ViewerProgramName), Text(TextId::ViewerVersionNumber), "viewer", texts.language);

  QtUserDialogs dialogs;
  const std::unique_ptr<MainWindow> window = StartViewerWindow(dialogs);
  if (!window) return 1;
  dialogs.SetOwner(window.get());
  if (!window->ended()) window->show();
  return window->ended() ? 0 : app.exec();
}
