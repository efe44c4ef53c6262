#include "tools/DriverStart.h"

#include "platform/ProgramFolder.h"
#include "platform/ProgramStart.h"
#include "texts/TextSet.h"
#include "tools/DriverOptions.h"

void StartDriverProgram(const DriverOptions& options, ProgramKind program) {
  InstallTextSet(options.Texts());
  const VersionRecord record = VersionRecordOf(options.Texts(), program);
  StartProgram(record.productName, record.numbers, program == ProgramKind::Viewer ? "viewer" : "editor",
               options.Texts().language);
  if (!options.folder.empty()) SetProgramFolder(options.folder);
}
