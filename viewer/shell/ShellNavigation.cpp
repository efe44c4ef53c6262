// Keys and wheel on the canvas: page turns and scrolling only recompose;
// no page is drawn again.
#include "viewer/shell/ViewerShell.h"

#include "viewer/canvas/ViewOffsets.h"
#include "viewer/shell/ShellWindow.h"

#include <algorithm>

namespace {

constexpr int kPageStep = 100;
constexpr int kWheelStep = 15;

}  // namespace

void ViewerShell::OnKey(CanvasKey key) {
  ViewState& view = state_.view;
  const int lowest = LowestViewOffset(state_.ViewHeight);
  const bool turnAllowed = !state_.guide.IsOn() && state_.document.DocumentLoaded == 1;
  // A page turn, a guide move and Escape end a find hit; scrolling keeps it.
  const bool turns = key == CanvasKey::Left || key == CanvasKey::Right;
  const bool movesGuide = (key == CanvasKey::Up || key == CanvasKey::Down) && state_.guide.IsOn();
  if ((turns && turnAllowed) || movesGuide || key == CanvasKey::Escape) DismissFindHit();
  switch (key) {
    case CanvasKey::Left:
      if (turnAllowed) TurnPage(-1);
      break;
    case CanvasKey::Right:
      if (turnAllowed) TurnPage(+1);
      break;
    case CanvasKey::PageDown: Scroll(-kPageStep, view.y > lowest); break;
    case CanvasKey::PageUp: Scroll(+kPageStep, view.y < 0); break;
    case CanvasKey::End: Scroll(lowest - view.y, true); break;
    case CanvasKey::Home: Scroll(-view.y, true); break;
    case CanvasKey::Up:
    case CanvasKey::Down:
      if (state_.guide.IsOn()) MoveGuide(key == CanvasKey::Down);
      break;
    case CanvasKey::Escape: DropPiece(); break;
  }
}

void ViewerShell::OnWheel(bool towardsReader) {
  const int y = state_.view.y;
  if (towardsReader) {
    Scroll(-kWheelStep, y > LowestViewOffset(state_.ViewHeight));
  } else {
    Scroll(+kWheelStep, y < 0);
  }
}

void ViewerShell::TurnPage(int delta) {
  Document& document = state_.document;
  const int page = document.CurrentPage + delta;
  if (page < 1 || page > document.PageCount) return;
  document.CurrentPage = page;
  renderer_.Recompose();
  SetPageCaption(true);
}

void ViewerShell::Scroll(int delta, bool allowed) {
  if (!allowed) return;
  state_.view.y += delta;
  renderer_.Recompose();
}

void ViewerShell::ScrollTo(int offset) {
  if (commandRunning_ || offset == state_.view.y) return;
  state_.view.y = offset;
  renderer_.Recompose();
}

void ViewerShell::UseViewHeight(int height) {
  height = std::clamp(height, kMinimumViewHeight, kMaximumViewHeight);
  if (height == state_.ViewHeight) return;
  state_.ViewHeight = height;
  state_.NewViewBuffer();
  renderer_.Recompose();
}
