// The whole-document commands: New, Go to, Undo, Update, the colours,
// About and Exit.
#include "viewer/shell/ViewerShell.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/document/TextLoader.h"
#include "viewer/settings/SettingsFile.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

#include <filesystem>

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Loading lays the lines out; the pages are drawn when they are shown.
class CanvasLoadSteps : public LoadSteps {
 public:
  explicit CanvasLoadSteps(ViewerShell& shell) : shell_(shell) {}

  void StartPage() override {}
  void DrawTextLine(int line, const std::string&) override { shell_.renderer().SetLineBox(line); }
  int PlacePicture(const std::string& fileName, int, int) override {
    return shell_.renderer().pictures().PictureHeight(QString::fromStdString(fileName));
  }
  void PictureNameTooLong(const std::string& fileName) override {
    shell_.ShowProgrammerMessage(std::string(Text(TextId::ViewerMessagePictureNameBefore)) + fileName +
                                 std::string(Text(TextId::ViewerMessagePictureNameAfter)),
                                 MessageIcon::Warning);
  }
  void DrawFurniture() override {}
  void LineRead() override {
    const int page = std::min(shell_.state().document.CurrentPage, kMaxPages);
    if (page != captionPage_) {
      captionPage_ = page;
      shell_.window().SetCaption(std::string(Text(TextId::ViewerCaptionPage)) + std::to_string(page) +
                                 std::string(Text(TextId::ViewerCaptionLoading)));
      shell_.window().ProcessPendingEvents();
    }
  }

 private:
  ViewerShell& shell_;
  int captionPage_ = 0;
};

}  // namespace

void ViewerShell::NewDocument() {
  state_.DialogBusy = 1;
  FileChoice choice;
  // Until the reader chooses a file, the chooser opens where the editor
  // writes cache.txt.
  choice.startFolder = lastChosenFile_.empty() ? CompanionFolder("editor") : FolderOf(lastChosenFile_);
  choice.proposedName = lastChosenFile_.substr(FolderOf(lastChosenFile_).size());
  choice.filterName = Text(TextId::ViewerFileFilter);
  choice.defaultSuffix = choice.filterName;  // the same word serves as the default extension
  choice.pattern = "*.*";
  lastChosenFile_ = Trimmed(dialogs_.ChooseFileToOpen(choice));
  if (!lastChosenFile_.empty() && FileExists(lastChosenFile_)) {
    std::string bytes;
    if (const FileError error = ReadWholeFile(lastChosenFile_, bytes, kMaxTextFileBytes); error.failed()) {
      ShowFileError(error.number, error.description);
    } else {
      OpenTextBytes(std::move(bytes));
    }
  }
  state_.DialogBusy = 0;
}

void ViewerShell::OpenFromOutside(const std::string& path) {
  RunExclusively([this, &path] {
    if (state_.DialogBusy != 0) return;
    state_.DialogBusy = 1;
    std::error_code ignored;
    const std::string absolute = std::filesystem::absolute(path, ignored).lexically_normal().string();
    std::string bytes;
    // Unlike a file chosen in the chooser, a name typed on a command line
    // may name nothing: the reader is told which.
    if (const FileError error = ReadWholeFile(absolute, bytes, kMaxTextFileBytes); error.failed()) {
      ShowFileError(error.number, error.description + " (" + absolute + ")");
    } else {
      lastChosenFile_ = absolute;
      OpenTextBytes(std::move(bytes));
    }
    state_.DialogBusy = 0;
  });
}

void ViewerShell::OpenTextBytes(std::string bytes) {
  if (KeepCurrentDocument()) {
    const TextIdentity text = IdentifyText(lastChosenFile_, bytes);
    // Laid out first: kept versions whose text file was not known are
    // found by the lines the text lays out.
    LoadChosenFile(lastChosenFile_, std::move(bytes));
    LinkCurrentText(text);
    if (OfferKeptDocument(text)) {
      renderer_.StandardRefresh();
    } else {
      renderer_.Recompose();  // page 1 is drawn with its footers as it is shown
    }
    SaveUndoPoint();
    EnableDocumentItems();
  }
}

void ViewerShell::LoadChosenFile(const std::string& path, std::string bytes) {
  const std::vector<std::string> lines = ReadTextLinesCp1252(bytes);
  bytes = std::string();
  ForgetShownDocument();
  CanvasLoadSteps steps(*this);
  const TextLoadResult result = LoadTextDocument(state_.document, lines, FolderOf(path), steps);
  ShowNewDocument();
  if (result.droppedPages) ShowWarning(TextId::ViewerMessageTooManyPages);
}

void ViewerShell::ForgetShownDocument() {
  state_.pages.Clear();
  state_.NewViewBuffer();
  state_.view = ViewState{};
  pictures_.ForgetReports();  // a new load: each missing picture is told of again
  state_.find.anchor.reset();  // the last search's text stays proposed
  state_.find.shownNumber = 0;
  state_.jumps.Clear();
}

void ViewerShell::ShowNewDocument() {
  renderer_.InvalidatePages(0);
  renderer_.BuildColumnTable();
  SetPageCaption(false);
  window_.FocusCanvas();
}

void ViewerShell::GoToPage() {
  Document& document = state_.document;
  const std::string title = std::string(Text(TextId::ViewerPagePromptTitleFrom)) +
                            std::string(Text(TextId::ViewerPagePromptTitleTo)) + std::to_string(document.PageCount);
  while (true) {
    const std::optional<std::string> answer = dialogs_.AskText(title, Text(TextId::ViewerPagePrompt));
    if (!answer) return;  // Cancel leaves the page as it is
    const int page = PageAnswerValue(*answer);
    if (page < 1 || page > document.PageCount || page == document.CurrentPage) continue;
    RecordJump(page);
    document.CurrentPage = page;
    renderer_.Recompose();
    SetPageCaption(true);
    return;
  }
}

void ViewerShell::Undo() {
  window_.SetItemEnabled(cmd::Undo, false);
  Document& document = state_.document;
  Document saved;
  // The cache holds the state before the last change; the store knows it
  // without reading the file again.
  if (cache_.Restore(saved)) {
    saved.CurrentPage = std::clamp(document.CurrentPage, 1, std::max(saved.PageCount, 1));
    saved.LineCounter = document.LineCounter;
    saved.LineSelection = document.LineSelection;
    saved.DocumentLoaded = 1;
    document = std::move(saved);
    renderer_.InvalidatePages(0);
  } else {
    RebuildFromCache();
  }
  // The page shown is drawn with the guide as it is now, so an Undo with the
  // guide on keeps its band where the guide stands.
  renderer_.StandardRefresh();
}

void ViewerShell::Update() {
  // A reader who put a missing picture back is told again if it still fails.
  pictures_.ForgetReports();
  // Every page takes the settings of now, each when it is next shown.
  renderer_.InvalidatePages(state_.guide.GuideState);
  renderer_.StandardRefresh();
}

void ViewerShell::SetColour(int id) {
  ColourSettings& colours = state_.settings.colours;
  const auto colour = static_cast<std::int32_t>(state_.SelectedColour);
  switch (id) {
    case cmd::ColourHorizontal: colours.horizontal = colour; break;
    case cmd::ColourVertical: colours.vertical = colour; break;
    case cmd::ColourTwoColourBackground: colours.twoColourBackground = colour; break;
    case cmd::ColourTwoColourText: colours.twoColourText = colour; break;
    default: colours.links = colour; break;
  }
  window_.RebuildMenu();
}

void ViewerShell::About() {
  ShowProgrammerMessage(std::string(Text(TextId::ViewerAboutMadeBy)) + "\r\n" +
                        std::string(Text(TextId::MakerWebAddress)) + "\r\n" +
                        std::string(Text(TextId::ViewerAboutVisitMe)));
}

void ViewerShell::Exit() {
  if (leaving_) return;
  leaving_ = true;
  SaveUndoPoint();
  state_.settings.position.y = state_.view.y;
  state_.settings.position.page = state_.document.CurrentPage;
  state_.settings.position.guideState = state_.guide.GuideState;
  state_.settings.position.guideLine = state_.guide.GuideLine;
  const FileError error = Settings("save", state_.settings, ProgramFile(kSettingsFileName));
  if (error.failed()) ShowFileError(error.number, error.description);
  window_.EndWindow();
}
