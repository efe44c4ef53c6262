#include "texts/VersionRecord.h"

VersionRecord VersionRecordOf(const TextSet& texts, ProgramKind program) {
  const bool viewer = program == ProgramKind::Viewer;
  const auto pick = [&](TextId forViewer, TextId forEditor) { return TextIn(texts, viewer ? forViewer : forEditor); };
  VersionRecord record;
  record.productName = pick(TextId::ViewerProgramName, TextId::EditorProgramName);
  record.originalFilename = record.productName;
  record.fileDescription = pick(TextId::ViewerVersionDescription, TextId::EditorVersionDescription);
  record.comments = TextIn(texts, TextId::VersionComments);
  record.internalName = TextIn(texts, TextId::VersionInternalName);
  record.privateBuild = TextIn(texts, TextId::VersionPrivateBuild);
  record.specialBuild = TextIn(texts, TextId::VersionSpecialBuild);
  record.fileVersion = pick(TextId::ViewerVersionFileVersion, TextId::EditorVersionFileVersion);
  record.productVersion = pick(TextId::ViewerVersionProductVersion, TextId::EditorVersionProductVersion);
  record.numbers = pick(TextId::ViewerVersionNumber, TextId::EditorVersionNumber);
  return record;
}
