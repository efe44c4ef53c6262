// Keeping the marked document of each text: it is kept when New replaces it,
// offered back when its text is opened again, and cache.04's document is
// linked to its text file across runs.
#include "viewer/shell/ViewerShell.h"

#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/shell/ShellWindow.h"

#include <ctime>
#include <filesystem>

namespace {

// "%1" and the like in a text, each replaced by its value.
std::string Filled(std::string_view pattern, const std::vector<std::string>& values) {
  std::string text(pattern);
  for (std::size_t i = values.size(); i > 0; --i) {
    const std::string mark = "%" + std::to_string(i);
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + values[i - 1].size()))
      text.replace(at, mark.size(), values[i - 1]);
  }
  return text;
}

// When a version was kept, as the reader's clock shows it: "7/12/2026", "17:05".
std::vector<std::string> KeptWhen(std::int64_t keptAt) {
  const std::time_t time = static_cast<std::time_t>(keptAt);
  std::tm local{};
  localtime_r(&time, &local);
  char day[32], hour[16];
  std::snprintf(day, sizeof day, "%d/%d/%d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  std::snprintf(hour, sizeof hour, "%02d:%02d", local.tm_hour, local.tm_min);
  return {day, hour};
}

}  // namespace

void ViewerShell::LinkCurrentText(TextIdentity text) {
  // The text's file name titles the document's PDF.
  state_.TextFileName = std::filesystem::path(text.path).filename().string();
  link_.Bind(std::move(text), state_.document);
}

void ViewerShell::ReadTextLink() {
  link_.Read(state_.document);
  state_.TextFileName = std::filesystem::path(link_.TextOf(state_.document).path).filename().string();
}

void ViewerShell::WriteTextLink() {
  if (const FileError error = link_.Write(state_.document); error.failed()) ShowFileError(error.number, error.description);
}

bool ViewerShell::KeepCurrentDocument() {
  const Document& document = state_.document;
  if (document.DocumentLoaded != 1) return true;
  // Whatever the link says: a document whose text is not known is kept by
  // the lines it lays out.
  const FileError error = kept_.Keep(link_.TextOf(document), document, state_.view.y, std::time(nullptr));
  if (!error.failed()) return true;
  // The document stays: going on would lose its marks.
  std::string folder = kept_.folder();
  if (folder.ends_with('/')) folder.pop_back();
  ShowProgrammerMessage(ErrorText(error.number, error.description + " (" + folder + ")") + "\n" +
                        std::string(Text(TextId::ViewerMessageKeepFailed)),
                        MessageIcon::Warning);
  return false;
}

bool ViewerShell::OfferKeptDocument(const TextIdentity& text) {
  const std::uint64_t layout = DocumentTextDigest(state_.document);
  // The newest first; "No" offers the one before.
  for (const std::string& path : kept_.Versions(text, layout)) {
    KeptDocument kept;
    if (!kept_.Read(path, text, layout, kept) || !AskForKeptVersion(kept)) continue;
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
  return false;
}

bool ViewerShell::AskForKeptVersion(const KeptDocument& kept) {
  std::vector<std::string> values = KeptWhen(kept.keptAt);
  values.push_back(std::to_string(CountReaderMarks(kept.document)));
  return dialogs_.AskYesNo(Text(TextId::CaptionProgrammer), Filled(Text(TextId::ViewerQuestionKeptMarks), values));
}
