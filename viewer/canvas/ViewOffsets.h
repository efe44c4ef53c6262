#pragma once

#include "viewer/document/PageGeometry.h"

#include <algorithm>

// How far the view scrolls over the page in a page area of a given height.
// The offset is the page's top in the area: 0 or negative, scrolled up.

// The page area of the designed window, the least it may shrink to and the
// most it can show.
inline constexpr int kMinimumViewHeight = 240;
inline constexpr int kMaximumViewHeight = kPageHeight;

// The lowest offset the keys and the wheel scroll to: half the page, or so
// low that a short page area still reaches the page's foot.
constexpr int LowestViewOffset(int viewHeight) { return std::min(-kPageHeight / 2, viewHeight - kPageHeight); }

// `offset`, or the nearest offset that shows the whole of line `line`
// (1..68) in a page area `viewHeight` tall.
constexpr int OffsetShowingLine(int offset, int line, int viewHeight) {
  const int top = (line - 1) * kLineHeight;
  const int bottom = top + kLineHeight;
  if (top + offset < 0) return -top;
  if (bottom + offset > viewHeight) return viewHeight - bottom;
  return offset;
}
