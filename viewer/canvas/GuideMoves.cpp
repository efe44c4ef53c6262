#include "viewer/canvas/GuideMoves.h"

namespace {

constexpr int kScrolledOffset = -200;  // lines 52..65 need the page scrolled up
constexpr int kLowLine = 52;

int OffsetFor(int line) { return line >= kLowLine ? kScrolledOffset : 0; }

// Every search visits each slot of the document at most a few times; past
// that it has no answer.
int SearchBound(const Document& document) { return (document.PageCount + 2) * kLinesPerPage * 2; }

}  // namespace

bool IsValidGuideLine(const Document& document, int page, int line) {
  if (!IsLineInRange(line)) return false;
  const LineRecord& record = document.Line(page, line);
  return !record.text.empty() && record.imageLine == 0;
}

bool FindFirstGuideLine(const Document& document, int page, GuidePosition& found) {
  GuidePosition at{page, 0, 0};
  for (int step = 0; step < SearchBound(document); ++step) {
    if (++at.line > kLinesPerPage) {
      if (at.page < document.PageCount) ++at.page;
      at.line = 1;
    }
    if (IsValidGuideLine(document, at.page, at.line)) {
      at.viewOffset = OffsetFor(at.line);
      found = at;
      return true;
    }
  }
  return false;
}

GuidePosition MoveGuideDown(const Document& document, GuidePosition from, int lastLine) {
  GuidePosition at = from;
  for (int step = 0; step < SearchBound(document); ++step) {
    ++at.line;
    if (at.line > kLinesPerPage && at.page >= document.PageCount) at.line = lastLine;
    if (at.line > kLinesPerPage) {
      if (at.page < document.PageCount) {
        ++at.page;
        at.line = 1;
      } else {
        at.line = kLinesPerPage;
      }
    }
    at.viewOffset = OffsetFor(at.line);
    if (IsValidGuideLine(document, at.page, at.line)) return at;
  }
  return from;
}

GuidePosition MoveGuideUp(const Document& document, GuidePosition from, int lastLine) {
  GuidePosition at = from;
  for (int step = 0; step < SearchBound(document); ++step) {
    --at.line;
    if (at.line < 1 && at.page <= 1) at.line = lastLine;
    if (at.line < 1) {
      if (at.page > 1) {
        --at.page;
        at.line = kLinesPerPage;
      } else {
        at.line = 1;
      }
    }
    at.viewOffset = OffsetFor(at.line);
    if (IsValidGuideLine(document, at.page, at.line)) return at;
  }
  return from;
}
