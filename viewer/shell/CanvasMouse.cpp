// The mouse on the canvas: line selectors, dragging a piece, following links.
#include "viewer/shell/ViewerShell.h"

#include "viewer/canvas/MarkCommands.h"
#include "viewer/shell/ShellWindow.h"

#include <utility>

namespace {

// Floor division: a point above or left of the page never lands on line or
// column 1.
int CellOf(int pixels, int size) { return (pixels >= 0 ? pixels / size : -((-pixels + size - 1) / size)) + 1; }

struct Hit {
  int column;
  int line;
  int pageX;  // the point on the page
  int pageY;
};

Hit HitTest(const ViewState& view, int x, int y) {
  const int pageX = x - view.x, pageY = y - view.y;
  return {CellOf(pageX, kCellWidth), CellOf(pageY, kLineHeight), pageX, pageY};
}

bool OnText(const Hit& hit) { return IsLineInRange(hit.line) && hit.column >= 1 && hit.column <= kLastTextColumn - 3; }

}  // namespace

void ViewerShell::OnMousePress(int x, int y) {
  // A click ends a find hit; one that was the chosen piece is cancelled,
  // as a dragged one is.
  const bool hitWasPiece = state_.find.shownNumber != 0 && state_.MarkingMode == 4;
  DismissFindHit();
  if (hitWasPiece) return;
  const Hit hit = HitTest(state_.view, x, y);
  if (state_.document.DocumentLoaded != 1 || !OnText(hit)) return;
  switch (state_.MarkingMode) {
    case 1: {
      const int y0 = (hit.line - 1) * kLineHeight;
      if (hit.pageX < 3 || hit.pageX > 15 || hit.pageY < y0 + 3 || hit.pageY > y0 + 15) break;
      auto& flag = state_.document.LineSelection[static_cast<std::size_t>(hit.line - 1)];
      flag = flag == 0 ? 1 : 0;
      renderer_.PaintSelectorTick(hit.line, flag == 1);
      break;
    }
    case 0:
      // A press on a link goes to its page and does nothing more there.
      if (FollowLinkAt(hit.line, hit.column)) return;
      StartPiece(hit.line, hit.column);
      break;
    case 4: DropPiece(); break;
    default: break;
  }
  renderer_.Recompose();
}

void ViewerShell::DropPiece() {
  if (state_.MarkingMode != 3 && state_.MarkingMode != 4) return;
  // While dragging, the button is still down: letting it go must not follow
  // a link under it.
  releaseIgnored_ = state_.MarkingMode == 3;
  renderer_.StandardRefresh();
  state_.MarkingMode = state_.DragActive = 0;
  SetMenuState(MenuState::Normal);
}

void ViewerShell::StartPiece(int line, int column) {
  if (column < kFirstTextColumn) return;
  if (IsCentredOrRight(state_.document.Line(state_.document.CurrentPage, line))) return;
  state_.MarkingMode = 3;
  state_.DragActive = 1;
  state_.piece = {line, column, column};
  renderer_.HighlightCell(column, line);
}

void ViewerShell::OnMouseMove(int x, int y) {
  if (state_.document.DocumentLoaded != 1 || state_.MarkingMode != 3 || state_.DragActive != 1) return;
  // Only the anchor line is highlighted, wherever the pointer goes.
  renderer_.HighlightCell(HitTest(state_.view, x, y).column, state_.piece.anchorLine);
  renderer_.Recompose();
}

void ViewerShell::OnMouseRelease(int x, int y) {
  if (std::exchange(releaseIgnored_, false)) return;
  const Hit hit = HitTest(state_.view, x, y);
  if (state_.MarkingMode == 0 && state_.DragActive == 0 && IsLineInRange(hit.line)) {
    FollowLinkAt(hit.line, hit.column);
  }
  if (state_.document.DocumentLoaded == 1 && state_.MarkingMode == 3 && state_.DragActive == 1) {
    state_.MarkingMode = 4;
    state_.piece.endColumn = hit.column;
    SetMenuState(MenuState::PieceChosen);
  }
}

bool ViewerShell::FollowLinkAt(int line, int column) {
  const int page = FollowLink(state_.document, line, column);
  if (page == 0) return false;
  RecordJump(page);
  state_.document.CurrentPage = page;
  SetPageCaption(false);
  renderer_.Recompose();
  state_.DragActive = 1;
  state_.MarkingMode = 0;
  return true;
}
