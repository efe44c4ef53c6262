// The viewer's side of the headless driver: the real main window, offscreen,
// driven by a script of user actions.
#include "tools/DriverOptions.h"

#include "platform/ScriptedDialogs.h"
#include "tools/DriverPump.h"
#include "tools/DriverStart.h"
#include "tools/ViewerDriverSession.h"

int RunViewerDriver(const DriverOptions& options) {
  StartDriverProgram(options, ProgramKind::Viewer);
  ScriptedDialogs dialogs(PrintDriverLine);
  ViewerDriverSession session(dialogs);
  DriverPump pump(options.scriptPath, [&session](const DriverCommand& command) { session.Execute(command); });
  pump.HoldWhile([&session] { return session.Dying(); });
  if (!pump.Open()) return 2;
  if (!session.Start()) return 1;
  return pump.Run();
}
