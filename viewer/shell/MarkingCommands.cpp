// The marking commands of the "Underlines" and "Alignment" menus and the
// menu states that follow the reader's selection.
#include "viewer/shell/ViewerShell.h"

#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/canvas/MarkCommands.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

#include <QElapsedTimer>

namespace {

struct ItemStates {
  bool lineItems;    // 1072, 1073, 1074
  bool pieceItems;   // 1075, 1076, 1086, 1088
  bool pageItems;    // 1078, 1084, 1085
  bool alignItems;   // 1090, 1091, 1092
};

ItemStates StatesOf(MenuState menuState) {
  switch (menuState) {
    case MenuState::SelectorsShown: return {true, false, false, true};
    case MenuState::PieceChosen: return {false, true, false, false};
    default: return {true, false, true, true};
  }
}

std::string_view AlignmentTag(int id) {
  return id == cmd::AlignCentre ? kAlignCentre : id == cmd::AlignRight ? kAlignRight : kAlignLeft;
}

}  // namespace

void ViewerShell::SetMenuState(MenuState menuState) {
  const ItemStates states = StatesOf(menuState);
  for (const int id : {cmd::SelectorSwitch, cmd::UnderlineWholeLine, cmd::UnderlineVertical}) {
    window_.SetItemEnabled(id, states.lineItems);
  }
  for (const int id : {cmd::UnderlinePiece, cmd::UnderlineTwoColours, cmd::UnderlineLink, cmd::UnderlineBold}) {
    window_.SetItemEnabled(id, states.pieceItems);
  }
  for (const int id : {cmd::Update, cmd::Undo, cmd::GoTo}) window_.SetItemEnabled(id, states.pageItems);
  for (const int id : {cmd::AlignLeft, cmd::AlignCentre, cmd::AlignRight}) window_.SetItemEnabled(id, states.alignItems);
  UpdateFindItems();
}

void ViewerShell::SwitchSelectors() {
  if (state_.MarkingMode != 0 && state_.MarkingMode != 1) return;
  state_.MarkingMode = 1 - state_.MarkingMode;
  if (state_.MarkingMode == 1) {
    renderer_.DrawSelectorBoxes(state_.settings.selectorShape == 0);
    renderer_.Recompose();
    SetMenuState(MenuState::SelectorsShown);
  } else {
    renderer_.StandardRefresh();
    state_.document.LineSelection.fill(0);
    SetMenuState(MenuState::Normal);
  }
}

void ViewerShell::WaitOneSecond() {
  // The window stays alive while the reader's choice sinks in.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 1000) window_.ProcessPendingEvents();
}

void ViewerShell::MarkWithSelectors(int id) {
  SaveUndoPoint();
  Document& document = state_.document;
  MarkOutcome outcome = MarkOutcome::Unchanged;
  if (id == cmd::UnderlineWholeLine) {
    outcome = MarkWholeLines(document, document.LineSelection);
  } else if (!IsCentredOrRight(document.Line(document.CurrentPage, state_.piece.anchorLine))) {
    WaitOneSecond();
    outcome = MarkVerticalBar(document, document.LineSelection);
  }
  if (outcome == MarkOutcome::NotTwoLines) ShowWarning(TextId::ViewerMessageNotTwoLines);
  if (outcome == MarkOutcome::ListFull) ShowWarning(TextId::ViewerMessageMarksFull);
  FinishMarkCommand(true);
}

void ViewerShell::MarkPieceCommand(int id) {
  SaveUndoPoint();
  const PieceKind kind = id == cmd::UnderlinePiece        ? PieceKind::Underline
                         : id == cmd::UnderlineTwoColours ? PieceKind::TwoColours
                                                          : PieceKind::Bold;
  if (MarkPiece(state_.document, state_.piece, kind, state_.settings.colours) == MarkOutcome::ListFull) {
    ShowWarning(TextId::ViewerMessageMarksFull);
  }
  FinishMarkCommand(false);
}

void ViewerShell::MarkLinkCommand() {
  if (PieceCanBeMarked(state_.document, state_.piece)) {
    SaveUndoPoint();
    int page = 0;
    if (AskTargetPage(page) && MarkLink(state_.document, state_.piece, page) == MarkOutcome::ListFull) {
      ShowWarning(TextId::ViewerMessageMarksFull);
    }
  }
  FinishMarkCommand(false);
}

bool ViewerShell::AskTargetPage(int& page) {
  const Document& document = state_.document;
  const std::string title = std::string(Text(TextId::ViewerPagePromptTitleFrom)) +
                            std::string(Text(TextId::ViewerPagePromptTitleTo)) + std::to_string(document.PageCount);
  while (true) {
    const std::optional<std::string> answer = dialogs_.AskText(title, Text(TextId::ViewerPagePrompt));
    if (!answer) return false;  // Cancel makes no link
    page = PageAnswerValue(*answer);
    if (page >= 1 && page <= document.PageCount && page != document.CurrentPage) return true;
  }
}

void ViewerShell::FinishMarkCommand(bool usedSelectors) {
  // A piece changes its own line only; without the selectors shown nothing
  // else the mouse drew lies elsewhere on the page.
  const bool pieceOnly = !usedSelectors && state_.MarkingMode != 1;
  if (usedSelectors) {
    state_.document.LineSelection.fill(0);
    if (state_.MarkingMode == 1) renderer_.DrawSelectorBoxes(state_.settings.selectorShape == 0);
  }
  state_.MarkingMode = state_.DragActive = 0;
  SetMenuState(MenuState::Normal);
  if (pieceOnly) {
    renderer_.RefreshLines(state_.piece.anchorLine, state_.piece.anchorLine);
  } else {
    renderer_.StandardRefresh();
  }
}

void ViewerShell::AlignSelectedLines(int id) {
  SaveUndoPoint();
  AlignLines(state_.document, state_.document.LineSelection, AlignmentTag(id));
  renderer_.StandardRefresh();
  state_.document.LineSelection.fill(0);
  renderer_.DrawSelectorBoxes(state_.settings.selectorShape == 0);
  renderer_.Recompose();
}
