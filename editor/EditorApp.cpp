#include "editor/EditorApp.h"

#include <QApplication>
#include <QTimer>

#include "editor/EditorWindow.h"
#include "platform/ProgramStart.h"
#include "platform/QtUserDialogs.h"
#include "texts/TextSet.h"

int RunEditor(int argc, char** argv, const TextSet& texts) {
  InstallTextSet(texts);
  QApplication app(argc, argv);
  StartProgram(Text(TextId::EditorProgramName), Text(TextId::EditorVersionNumber), "editor", texts.language);

  QtUserDialogs dialogs;
  EditorWindow window(dialogs);
  dialogs.SetOwner(&window);
  QObject::connect(&window, &EditorWindow::Ended, &app, &QApplication::quit, Qt::QueuedConnection);
  window.show();
  if (const QString file = StartFileArgument(); !file.isEmpty()) {
    QTimer::singleShot(0, &window, [&window, file] { window.OpenFromOutside(file.toStdString()); });
  }
  return app.exec();
}
