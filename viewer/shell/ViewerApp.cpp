#include "viewer/shell/ViewerApp.h"

#include "platform/ProgramFolder.h"
#include "platform/QtUserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/MainWindow.h"

#include <QApplication>
#include <QStandardPaths>

int RunViewer(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(Text(TextId::ViewerProgramName).data()));
  QApplication::setApplicationVersion(QString::fromUtf8(Text(TextId::ViewerVersionNumber).data()));
  SetProgramFolder(ResolveProgramFolder(
      ExecutableFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));

  QtUserDialogs dialogs(nullptr);
  const std::unique_ptr<MainWindow> window = StartViewerWindow(dialogs);
  if (!window) return 1;
  if (!window->ended()) window->show();
  return window->ended() ? 0 : app.exec();
}
