#include "viewer/shell/ViewerApp.h"

#include "platform/ProgramFolder.h"
#include "texts/TextSet.h"

#include <QApplication>
#include <QMainWindow>
#include <QStandardPaths>

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int RunViewer(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  SetProgramFolder(ResolveProgramFolder(
      ExecutableFolder(),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()));

  QMainWindow window;
  window.setWindowTitle(ToQString(Text(TextId::ViewerWindowTitle)));
  window.resize(804, 985);
  window.show();
  return app.exec();
}
