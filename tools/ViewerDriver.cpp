// The viewer's side of the headless driver: the real main window, offscreen,
// driven by a script of user actions.
#include "tools/DriverOptions.h"

#include "platform/ProgramFolder.h"
#include "platform/ScriptedDialogs.h"
#include "texts/TextSet.h"
#include "tools/DriverScript.h"
#include "tools/ViewerDriverSession.h"

int RunViewerDriver(const DriverOptions& options) {
  InstallTextSet(options.Texts());
  SetProgramFolder(options.folder);
  ScriptedDialogs dialogs(PrintDriverLine);
  ViewerDriverSession session(dialogs);
  if (!session.Start()) return 1;
  const bool read = RunDriverScript(options.scriptPath, [&session](const DriverCommand& command) {
    session.Execute(command);
    return true;
  });
  return read ? 0 : 2;
}
