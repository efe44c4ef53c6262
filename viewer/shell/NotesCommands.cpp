// "Study notes": every mark of the document written as a Markdown sheet
// where the reader chooses.
#include "viewer/shell/ViewerShell.h"

#include "platform/SafeWrite.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/output/ExportDialog.h"
#include "viewer/output/PageOutput.h"
#include "viewer/output/StudyNotes.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

#include <QWidget>

void ViewerShell::WriteStudyNotes() {
  QWidget* owner = window_.DialogOwner();
  if (state_.DialogBusy != 0 || !owner) return;
  FileChoice choice;
  // Beside the pages last exported in this run, or where exports go.
  choice.startFolder = ExportFolderPath(ExportRequestOf(*owner).folder);
  choice.proposedName = StudyNotesFileName(state_.TextFileName);
  choice.filterName = Text(TextId::StudyNotesFilter);
  choice.pattern = "*.md";
  choice.defaultSuffix = "md";
  choice.replacesFile = true;
  state_.DialogBusy = 1;
  const std::string path = dialogs_.ChooseFileToSave(choice);
  state_.DialogBusy = 0;
  if (path.empty()) return;
  const std::string sheet = StudyNotesMarkdown(state_.document, StudyNotesTitle(state_.TextFileName));
  if (const FileError error = WriteFileSafely(path, sheet); error.failed()) {
    ShowFileError(error.number, error.description + " (" + path + ")");
    return;
  }
  dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), std::string(Text(TextId::StudyNotesSaved)) + "\r\n" + path,
                       MessageStyle::SystemModal);
}
