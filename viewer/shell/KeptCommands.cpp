// Keeping the marked document of each text: it is kept when New replaces it,
// offered back when its text is opened again, and cache.04's document is
// linked to its text file across runs.
#include "viewer/shell/ViewerShell.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeWrite.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/ShellWindow.h"

#include <filesystem>

void ViewerShell::LinkCurrentText(TextIdentity text) {
  currentLink_ = text.known() ? EncodeTextLink(text, DocumentTextDigest(state_.document)) : std::string();
  currentText_ = std::move(text);
  // The text's file name titles the document's PDF.
  state_.TextFileName = std::filesystem::path(currentText_.path).filename().string();
}

void ViewerShell::ReadTextLink() {
  std::string bytes;
  TextIdentity text;
  std::uint64_t digest = 0;
  const std::string path = ProgramFile(kTextLinkFileName);
  // A link written for another document (the program stopped between the
  // two writes) is not this document's.
  if (FileExists(path) && !ReadWholeFile(path, bytes, 1 << 16).failed() && DecodeTextLink(bytes, text, digest) &&
      digest == DocumentTextDigest(state_.document)) {
    LinkCurrentText(std::move(text));
    linkOnDisk_ = currentLink_;
  }
}

void ViewerShell::WriteTextLink() {
  if (currentLink_.empty() || currentLink_ == linkOnDisk_) return;
  if (const FileError error = WriteFileSafely(ProgramFile(kTextLinkFileName), currentLink_); error.failed()) {
    ShowFileError(error.number, error.description);
    return;
  }
  linkOnDisk_ = currentLink_;
}

bool ViewerShell::KeepCurrentDocument() {
  const Document& document = state_.document;
  if (document.DocumentLoaded != 1 || !currentText_.known()) return true;
  if (const FileError error = kept_.Keep(currentText_, document, state_.view.y); error.failed()) {
    // The document stays: going on would lose its marks.
    ShowFileError(error.number, error.description);
    return false;
  }
  return true;
}

bool ViewerShell::OfferKeptDocument(const TextIdentity& text) {
  KeptDocument kept;
  if (!kept_.Find(text, kept) || !dialogs_.AskYesNo(Text(TextId::CaptionProgrammer), Text(TextId::ViewerQuestionKeptMarks)))
    return false;
  Document& document = state_.document;
  const auto selection = document.LineSelection;
  document = std::move(kept.document);
  document.LineSelection = selection;
  ForgetShownDocument();
  state_.view.y = kept.viewOffset;
  LinkCurrentText(text);
  ShowNewDocument();
  return true;
}
