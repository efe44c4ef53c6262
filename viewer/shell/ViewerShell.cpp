#include "viewer/shell/ViewerShell.h"

#include "platform/FileIo.h"
#include "platform/ProgramFolder.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/document/CacheFile.h"
#include "viewer/settings/PageLabel.h"
#include "viewer/settings/SettingsFile.h"
#include "viewer/settings/SettingsValues.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

#include <algorithm>

namespace {

// Items that need a document, greyed until one is shown.
constexpr int kDocumentItems[] = {cmd::SelectorSwitch, cmd::UnderlineWholeLine, cmd::UnderlineVertical,
                                  cmd::UnderlinePiece,  cmd::UnderlineTwoColours, cmd::Update,
                                  cmd::Undo,            cmd::SaveImage,           cmd::GoTo,
                                  cmd::UnderlineLink,   cmd::UnderlineBold,       cmd::AlignLeft,
                                  cmd::AlignCentre,     cmd::AlignRight,          cmd::StudyNotes};
// Of those, the piece commands wait for a piece to be chosen.
constexpr int kPieceItems[] = {cmd::UnderlinePiece, cmd::UnderlineTwoColours, cmd::UnderlineLink,
                               cmd::UnderlineBold};

}  // namespace

int PageAnswerValue(const std::string& answer) {
  return static_cast<int>(ParseLeadingNumber(answer, -1000000, 1000000));
}

ViewerShell::ViewerShell(ShellWindow& window, UserDialogs& dialogs)
    : window_(window),
      dialogs_(dialogs),
      pictures_(dialogs),
      renderer_(state_, pictures_, [this] { PresentAndPrepareNeighbours(); }) {
  // A picture is told of when a page that shows it is shown, not while
  // pages are laid out or drawn ahead.
  pictures_.HoldReports();
  neighbours_.setSingleShot(true);
  neighbours_.setInterval(0);
  QObject::connect(&neighbours_, &QTimer::timeout, [this] { PrepareNeighbours(); });
}

void ViewerShell::PresentAndPrepareNeighbours() {
  window_.PresentView();
  neighbours_.start();
}

void ViewerShell::PrepareNeighbours() {
  if (commandRunning_) {
    neighboursPending_ = true;
    return;
  }
  RunExclusively([this] {
    const Document& document = state_.document;
    pictures_.ReportHeld(renderer_.PictureFiles(document.CurrentPage));
    // A page turn then finds the next picture ready.
    if (document.DocumentLoaded != 1) return;
    for (const int page : {document.CurrentPage + 1, document.CurrentPage - 1}) {
      if (page >= 1 && page <= document.PageCount) state_.pages.PageBitmap(page);
    }
    state_.pages.PageBitmap(document.CurrentPage);  // the shown page stays the most recent
  });
}

void ViewerShell::UsePixelRatio(double ratio) {
  if (ratio == state_.pages.PixelRatio()) return;
  state_.pages.SetPixelRatio(ratio);
  state_.NewViewBuffer();
  renderer_.Recompose();
}

void ViewerShell::ReadSettings() { Settings("get", state_.settings, ProgramFile(kSettingsFileName)); }

void ViewerShell::Initialise() {
  cache_.SetPath(ProgramFile(kCacheFileName));
  kept_.SetFolder(ProgramFile(kKeptFolderName) + "/");
  link_.SetPath(ProgramFile(kTextLinkFileName));
  for (const int id : kDocumentItems) window_.SetItemEnabled(id, false);
  UpdateFindItems();
  GuideInfo& guide = state_.guide;
  guide.GuideState = state_.settings.position.guideState;
  guide.GuideLine = state_.settings.position.guideLine;
  guide.GuideLastLine = guide.GuideLine;
  guide.GuideFill = qRgb(0xC0, 0xC0, 0xC0);
  window_.SetItemChecked(cmd::GuideReader, guide.IsOn());
  state_.PageTextColour = qRgb(0, 0, 0);
  pictures_.PictureBackground = qRgb(255, 255, 255);
  state_.settings.colours.links = 255;  // links are red whatever the file says
  state_.MarkingMode = state_.DragActive = 0;
  BuildRomanNumerals();
  state_.document.LineSelection.fill(0);
  state_.document.CurrentPage = 1;
  state_.pages.Clear();
  state_.pages.CreatePage(1);
  state_.NewViewBuffer();
  state_.view = ViewState{};
  renderer_.BuildColumnTable();
  renderer_.Recompose();
  if (FileExists(ProgramFile(kCacheFileName))) RunExclusively([this] { RestoreCachedDocument(); });
}

void ViewerShell::RestoreCachedDocument() {
  pictures_.ForgetReports();  // a restart is a new load of the document
  dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), Text(TextId::ViewerMessageCacheRead),
                       MessageStyle::SystemModal);
  window_.SetItemEnabled(cmd::Undo, false);
  if (!RebuildFromCache()) return;
  ReadTextLink();
  Document& document = state_.document;
  // A hand-edited position far off the page would show nothing at all.
  state_.view.y = std::clamp(state_.settings.position.y, -kPageHeight, kViewHeight);
  const int page = state_.settings.position.page;
  document.CurrentPage = (page >= 1 && page <= document.PageCount) ? page : 1;
  renderer_.StandardRefresh();
  SetPageCaption(false);
  EnableDocumentItems();
}

void ViewerShell::EnableDocumentItems() {
  for (const int id : kDocumentItems) window_.SetItemEnabled(id, true);
  for (const int id : kPieceItems) window_.SetItemEnabled(id, false);
  ShowGuideGatedItems();
  UpdateFindItems();
}

bool ViewerShell::GuideGatedCommandsAllowed() const {
  return state_.document.DocumentLoaded == 1 && state_.guide.GuideState == 0;
}

void ViewerShell::ShowGuideGatedItems() {
  for (const int id : {cmd::SaveImage, cmd::StudyNotes}) window_.SetItemEnabled(id, GuideGatedCommandsAllowed());
}

void ViewerShell::SetPageCaption(bool flipForm) {
  const Document& document = state_.document;
  std::string caption = std::string(Text(flipForm ? TextId::ViewerCaptionPageFlip : TextId::ViewerCaptionPage)) +
                        std::to_string(document.CurrentPage) + std::string(Text(TextId::ViewerCaptionOf)) +
                        std::to_string(document.PageCount);
  // While a find hit shows: its place among all hits.
  if (const FindView& find = state_.find; find.shownNumber != 0) {
    caption += std::string(Text(TextId::ViewerCaptionMatch)) + std::to_string(find.shownNumber) +
               std::string(Text(TextId::ViewerCaptionOf)) + std::to_string(find.hitCount);
  }
  window_.SetCaption(caption);
}

void ViewerShell::ShowProgrammerMessage(const std::string& text, MessageIcon icon) {
  dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), text, MessageStyle::Plain, icon);
}

void ViewerShell::ShowWarning(TextId text) {
  ShowProgrammerMessage(std::string(Text(text)), MessageIcon::Warning);
}

void ViewerShell::ShowFileError(int number, const std::string& description) {
  ShowProgrammerMessage(ErrorText(number, description), MessageIcon::Warning);
}

void ViewerShell::SaveUndoPoint() {
  window_.ShowBusy();
  window_.SetItemEnabled(cmd::Undo, false);
  const FileError error = cache_.Save(state_.document, [this] { window_.ProcessPendingEvents(); });
  window_.SetItemEnabled(cmd::Undo, true);
  window_.HideBusy();
  if (error.failed()) {
    ShowFileError(error.number, error.description);
  } else {
    WriteTextLink();  // only once cache.04 holds the linked document
  }
}

bool ViewerShell::RebuildFromCache() {
  window_.ShowBusy();
  Document& document = state_.document;
  const int current = document.CurrentPage;
  const bool read = cache_.Load(document, [this] { window_.ProcessPendingEvents(); });
  if (read) {
    document.CurrentPage = std::clamp(current, 1, document.PageCount);
    state_.pages.Clear();
    renderer_.InvalidatePages(0);
    renderer_.BuildColumnTable();
  }
  renderer_.Recompose();
  window_.HideBusy();
  return read;
}

void ViewerShell::OnCommand(int id) {
  RunExclusively([this, id] { RunCommand(id); });
}

void ViewerShell::RunExclusively(const std::function<void()>& work) {
  if (commandRunning_) return;
  commandRunning_ = true;
  work();
  commandRunning_ = false;
  if (neighboursPending_) {
    neighboursPending_ = false;
    neighbours_.start();
  }
  if (closePending_) {
    closePending_ = false;
    OnCommand(cmd::Exit);
  }
}

void ViewerShell::OnCloseRequest() {
  if (commandRunning_) {
    closePending_ = true;
    return;
  }
  OnCommand(cmd::Exit);
}

void ViewerShell::RunCommand(int id) {
  const ViewerState& s = state_;
  const bool loaded = s.document.DocumentLoaded == 1;
  // A command ends what a search showed; the piece commands first act on
  // the hit, and a new search replaces it only when it finds one.
  const bool actsOnPiece = std::ranges::find(kPieceItems, id) != std::end(kPieceItems);
  const bool searches = id == cmd::Find || id == cmd::FindNext || id == cmd::FindPrevious;
  if (!actsOnPiece && !searches) DismissFindHit();
  switch (id) {
    case cmd::New:
      if (s.DialogBusy == 0) NewDocument();
      break;
    case cmd::Exit: Exit(); break;
    case cmd::Author: About(); break;
    case cmd::SaveImage:
      if (GuideGatedCommandsAllowed()) ExportOrPrint();
      break;
    case cmd::SetUp:
      if (s.DialogBusy == 0) OpenConfigurator();
      break;
    case cmd::FavouriteColours:
      if (loaded && s.DialogBusy == 0) OpenFavouriteColours();
      break;
    case cmd::Update:
      if (s.MarkingMode == 0) Update();
      break;
    case cmd::ColourHorizontal:
    case cmd::ColourVertical:
    case cmd::ColourTwoColourBackground:
    case cmd::ColourTwoColourText:
    case cmd::ColourLink: SetColour(id); break;
    case cmd::Undo:
      if (s.MarkingMode == 0) Undo();
      break;
    case cmd::GoTo:
      if (loaded && s.document.PageCount > 1) GoToPage();
      break;
    case cmd::SelectorSwitch: SwitchSelectors(); break;
    case cmd::UnderlineWholeLine:
    case cmd::UnderlineVertical: MarkWithSelectors(id); break;
    case cmd::UnderlinePiece:
    case cmd::UnderlineTwoColours:
    case cmd::UnderlineBold: MarkPieceCommand(id); break;
    case cmd::UnderlineLink:
      if (s.document.PageCount > 1) MarkLinkCommand();
      break;
    case cmd::AlignLeft:
    case cmd::AlignCentre:
    case cmd::AlignRight: AlignSelectedLines(id); break;
    case cmd::GuideReader: ToggleGuide(); break;
    case cmd::Find:
    case cmd::FindNext:
    case cmd::FindPrevious:
    case cmd::GoBack: ReadingAidCommand(id); break;
    case cmd::StudyNotes:
      if (GuideGatedCommandsAllowed()) WriteStudyNotes();
      break;
    default: break;
  }
  if (actsOnPiece) DismissFindHit();
}
