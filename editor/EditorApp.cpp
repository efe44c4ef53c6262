#include "editor/EditorApp.h"

#include "platform/ProgramFolder.h"
#include "texts/TextSet.h"

#include <QApplication>
#include <QMainWindow>
#include <QStandardPaths>

int RunEditor(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  SetProgramFolder(ResolveProgramFolder(
      ExecutableFolder(),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));

  const std::string_view title = Text(TextId::EditorWindowTitle);
  QMainWindow window;
  window.setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  window.resize(788, 930);
  window.move(70, 58);
  window.show();
  return app.exec();
}
