#pragma once

#include "viewer/document/Document.h"

// Where the reading guide stands and how the view follows it.
struct GuidePosition {
  int page = 1;
  int line = 0;
  int viewOffset = 0;

  friend bool operator==(const GuidePosition&, const GuidePosition&) = default;
};

// A line the guide may stand on: it has text and is not a picture.
bool IsValidGuideLine(const Document& document, int page, int line);

// Switching the guide on: the first valid line from the top of the current
// page on, going on to the next pages. Nothing when the rest of the
// document has no valid line.
bool FindFirstGuideLine(const Document& document, int page, GuidePosition& found);

// One step down or up to the next valid line, across page ends; the view
// scrolls so that lines 52..65 stay visible. A step that finds no further
// valid line leaves the guide on `lastLine` (or where it was).
GuidePosition MoveGuideDown(const Document& document, GuidePosition from, int lastLine);
GuidePosition MoveGuideUp(const Document& document, GuidePosition from, int lastLine);
