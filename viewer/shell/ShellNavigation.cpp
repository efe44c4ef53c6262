// Keys and wheel on the canvas: page turns and scrolling only recompose;
// no page is drawn again.
#include "viewer/shell/ViewerShell.h"

#include "viewer/shell/ShellWindow.h"

#include <algorithm>

namespace {

constexpr int kHalfPage = -561;  // the lowest view offset the keys aim at
constexpr int kPageStep = 100;
constexpr int kWheelStep = 15;

}  // namespace

void ViewerShell::OnKey(CanvasKey key) {
  ViewState& view = state_.view;
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
    case CanvasKey::PageDown: Scroll(-kPageStep, view.y > kHalfPage); break;
    case CanvasKey::PageUp: Scroll(+kPageStep, view.y < 0); break;
    case CanvasKey::End: Scroll(kHalfPage - view.y, true); break;
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
    Scroll(-kWheelStep, y > kHalfPage);
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

int OffsetShowingLine(int offset, int line, int viewHeight) {
  const int top = (line - 1) * kLineHeight;
  if (top + offset >= 0 && top + kLineHeight + offset <= viewHeight) return offset;
  // The line comes a few lines below the top, where the eye looks first,
  // within the offsets the keys reach.
  return std::clamp(3 * kLineHeight - top, kHalfPage, 0);
}
