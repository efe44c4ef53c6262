// Find, find next and previous, and going back after a jump. What they show
// (the hit's highlight, the jump history) belongs to the view: it never
// reaches the document, its cache or its undo point.
#include "viewer/shell/ViewerShell.h"

#include "platform/CodePage.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/canvas/MarkCommands.h"
#include "viewer/canvas/ViewOffsets.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

#include <algorithm>

namespace {

bool IsBlankAnswer(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

void ViewerShell::UpdateFindItems() {
  const bool allowed = state_.document.DocumentLoaded == 1 && state_.MarkingMode != 1;
  window_.SetItemEnabled(cmd::Find, allowed);
  window_.SetItemEnabled(cmd::GoBack, allowed);
  for (const int id : {cmd::FindNext, cmd::FindPrevious}) {
    window_.SetItemEnabled(id, allowed && !state_.find.text.empty());
  }
}

void ViewerShell::ReadingAidCommand(int id) {
  const ViewerState& s = state_;
  if (s.document.DocumentLoaded != 1 || s.MarkingMode == 1) return;
  if (id == cmd::GoBack) {
    GoBack();
  } else if (s.DialogBusy == 0) {
    FindCommand(id);
  }
}

void ViewerShell::FindCommand(int id) {
  FindView& find = state_.find;
  if (id == cmd::Find) {
    const std::optional<std::string> answer =
        dialogs_.AskText(Text(TextId::ViewerFindTitle), Text(TextId::ViewerFindPrompt), find.text);
    if (!answer || IsBlankAnswer(*answer)) return;
    find.text = *answer;
    find.anchor.reset();
    UpdateFindItems();
  }
  if (find.text.empty()) return;
  const std::vector<TextMatch> matches = FindMatches(state_.document, Utf8ToCp1252(find.text));
  if (matches.empty()) {
    ShowProgrammerMessage(std::string(Text(TextId::ViewerFindNotFoundBefore)) + find.text +
                              std::string(Text(TextId::ViewerFindNotFoundAfter)),
                          MessageIcon::Information);
    return;
  }
  const TextPlace pageTop{state_.document.CurrentPage, 1, 0};
  std::size_t shown = 0;
  if (id == cmd::FindNext) {
    const TextPlace from = find.anchor ? TextPlace{find.anchor->first.page, find.anchor->first.line,
                                                   find.anchor->first.index + 1}
                                       : pageTop;
    shown = MatchAtOrAfter(matches, from);
  } else if (id == cmd::FindPrevious) {
    shown = MatchBefore(matches, find.anchor ? find.anchor->first : pageTop);
  } else {
    shown = MatchAtOrAfter(matches, pageTop);
  }
  ShowMatch(matches, shown);
}

void ViewerShell::ShowMatch(const std::vector<TextMatch>& matches, std::size_t shown) {
  DismissFindHit();
  if (state_.MarkingMode == 3 || state_.MarkingMode == 4) {
    renderer_.StandardRefresh();  // a dragged piece gives way to the hit
    state_.MarkingMode = state_.DragActive = 0;
    SetMenuState(MenuState::Normal);
  }
  const TextMatch& match = matches[shown];
  Document& document = state_.document;
  ViewState& view = state_.view;
  const JumpHistory::Place left{document.CurrentPage, view.y};
  document.CurrentPage = match.first.page;
  view.y = OffsetShowingLine(view.y, match.first.line, state_.ViewHeight);
  if (left != JumpHistory::Place{document.CurrentPage, view.y}) state_.jumps.Push(left);
  if (state_.guide.IsOn()) {
    state_.guide.GuideLine = state_.guide.GuideLastLine = static_cast<std::int16_t>(match.first.line);
    renderer_.StandardRefresh();
  }
  renderer_.HighlightMatch(match);
  FindView& find = state_.find;
  find.anchor = match;
  find.shownNumber = static_cast<int>(shown) + 1;
  find.hitCount = static_cast<int>(matches.size());
  const LineRecord& line = document.Line(match.first.page, match.first.line);
  if (match.OnOneLine() && !IsCentredOrRight(line)) {
    // Ready to mark, as a piece the reader dragged.
    state_.piece = {match.first.line, match.first.index + kFirstTextColumn, match.last.index + kFirstTextColumn};
    state_.MarkingMode = 4;
    state_.DragActive = 1;
    SetMenuState(MenuState::PieceChosen);
  }
  SetPageCaption(false);
  renderer_.Recompose();
}

void ViewerShell::DismissFindHit() {
  FindView& find = state_.find;
  if (find.shownNumber == 0) return;
  find.shownNumber = 0;
  if (state_.MarkingMode == 4) {
    state_.MarkingMode = state_.DragActive = 0;
    SetMenuState(MenuState::Normal);
  }
  renderer_.StandardRefresh();
  SetPageCaption(false);
}

void ViewerShell::RecordJump(int toPage) {
  if (toPage != state_.document.CurrentPage) state_.jumps.Push({state_.document.CurrentPage, state_.view.y});
}

void ViewerShell::GoBack() {
  const std::optional<JumpHistory::Place> place = state_.jumps.Pop();
  if (!place) return;
  Document& document = state_.document;
  document.CurrentPage = std::clamp(place->page, 1, std::max(document.PageCount, 1));
  state_.view.y = place->offset;
  renderer_.Recompose();
  SetPageCaption(true);
}
