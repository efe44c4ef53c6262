#include "tools/DriverOptions.h"

#include "tools/DriverScript.h"

// The editor's driver comes with the editor's window.
int RunEditorDriver(const DriverOptions& options) {
  const bool read = RunDriverScript(options.scriptPath, [](const DriverCommand& command) {
    PrintDriverError(command, "unknown command");
    return true;
  });
  return read ? 0 : 2;
}
