// The reading guide: switching it on and off, and moving it with the keys.
#include "viewer/shell/ViewerShell.h"

#include "viewer/canvas/GuideMoves.h"
#include "viewer/canvas/ViewOffsets.h"
#include "viewer/shell/CommandIds.h"
#include "viewer/shell/ShellWindow.h"

void ViewerShell::ToggleGuide() {
  GuideInfo& guide = state_.guide;
  Document& document = state_.document;
  if (!guide.IsOn()) {
    guide.GuideState = kGuideOn;
    window_.SetItemChecked(cmd::GuideReader, true);
    ShowGuideGatedItems();
    const int previousPage = document.CurrentPage;
    GuidePosition found;
    if (FindFirstGuideLine(document, document.CurrentPage, found)) {
      document.CurrentPage = found.page;
      guide.GuideLine = static_cast<std::int16_t>(found.line);
    } else {
      guide.GuideLine = 0;  // no line to guide: the band waits for one
    }
    guide.GuideLastLine = guide.GuideLine;
    if (guide.GuideLine > 0) state_.view.y = OffsetShowingLine(state_.view.y, guide.GuideLine, state_.ViewHeight);
    renderer_.RenderPage(document.CurrentPage, guide.GuideState);
    if (document.CurrentPage != previousPage) SetPageCaption(true);
    return;
  }
  guide.GuideState = 0;
  window_.SetItemChecked(cmd::GuideReader, false);
  ShowGuideGatedItems();
  // No page keeps a band: each is drawn again without it when next shown.
  renderer_.InvalidatePages(0);
  renderer_.StandardRefresh();
}

void ViewerShell::MoveGuide(bool down) {
  GuideInfo& guide = state_.guide;
  Document& document = state_.document;
  const GuidePosition from{document.CurrentPage, guide.GuideLine, state_.view.y};
  const GuidePosition to = down ? MoveGuideDown(document, from, guide.GuideLastLine)
                                : MoveGuideUp(document, from, guide.GuideLastLine);
  document.CurrentPage = to.page;
  guide.GuideLine = static_cast<std::int16_t>(to.line);
  guide.GuideLastLine = guide.GuideLine;
  // The band always shows, however short the page area.
  state_.view.y = OffsetShowingLine(to.viewOffset, to.line, state_.ViewHeight);
  renderer_.StandardRefresh();
  SetPageCaption(true);
}
