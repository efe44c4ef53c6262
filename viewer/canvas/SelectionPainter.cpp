// What the reader's selection leaves on the page: the line selectors, their
// ticks and the highlighted characters of a piece being dragged.
#include "viewer/canvas/PageRenderer.h"

#include "viewer/canvas/CellText.h"
#include "viewer/canvas/InlineMarkers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QColor kSelectorGrey(0xC0, 0xC0, 0xC0);
const QColor kTickOutline(254, 255, 255);
const QColor kHighlightText(255, 255, 255);
const QColor kHighlightGround(51, 153, 255);

}  // namespace

void PageRenderer::DrawSelectorBoxes(bool square) {
  state_.pages.DrawOver(state_.document.CurrentPage, [square](QPainter& painter) {
    painter.setPen(QPen(kSelectorGrey, 1));
    painter.setBrush(Qt::NoBrush);
    for (int line = 1; line <= kLinesPerPage; ++line) {
      const int top = (line - 1) * kLineHeight + 3;
      if (top <= 0) continue;
      const QRect box(3, top, 11, 11);  // (3, y0 + 3) to (15, y0 + 15), outline included
      if (square) {
        painter.drawRect(box);
      } else {
        painter.drawEllipse(box);
      }
    }
  });
}

void PageRenderer::PaintSelectorTick(int line, bool ticked) {
  state_.pages.DrawOver(state_.document.CurrentPage, [line, ticked](QPainter& painter) {
    painter.setPen(QPen(kTickOutline, 1));
    painter.setBrush(ticked ? kSelectorGrey : QColor(Qt::white));
    painter.drawRect(QRect(5, (line - 1) * kLineHeight + 5, 7, 7));  // (5, y0 + 5) to (13, y0 + 13)
  });
}

void PageRenderer::HighlightCell(long long column, int line) {
  static const QFont font = MakePageFont(10);
  const Document& document = state_.document;
  const std::string& text = document.Line(document.CurrentPage, line).text;
  const long long index = column - kFirstTextColumn;  // 0-based index of the character
  if (index < 0 || index >= static_cast<long long>(text.size())) return;
  state_.pages.DrawOver(state_.document.CurrentPage, [cell = text.substr(static_cast<std::size_t>(index), 1),
                                                      column, line](QPainter& painter) {
    DrawCellText(painter, font, cell, column, line, kHighlightText, kHighlightGround);
  });
}

void PageRenderer::HighlightMatch(const TextMatch& match) {
  static const QFont font = MakePageFont(10);
  const int page = state_.document.CurrentPage;
  if (page < match.first.page || page > match.last.page) return;
  struct Cell {
    long long column;
    int line;
    std::string character;
  };
  std::vector<Cell> cells;
  const int top = page == match.first.page ? match.first.line : 1;
  const int bottom = page == match.last.page ? match.last.line : kLinesPerPage;
  for (int line = top; line <= bottom; ++line) {
    const LineRecord& record = state_.document.Line(page, line);
    const std::string& text = record.text;
    const std::string shown = text.substr(0, kPrintedChars);
    const std::vector<bool> marker = MarkerCharacters(shown);
    const int from = page == match.first.page && line == match.first.line ? match.first.index : 0;
    const int to = std::min(page == match.last.page && line == match.last.line ? match.last.index : kPrintedChars,
                            static_cast<int>(shown.size()) - 1);
    const long long first = kFirstTextColumn + AlignmentShift(record);
    for (int i = from; i <= to; ++i) {
      const auto at = static_cast<std::size_t>(i);
      // The symbol of a bullet or an icon stays as it is.
      if (!marker[at]) cells.push_back({first + i, line, shown.substr(at, 1)});
    }
  }
  if (cells.empty()) return;
  state_.pages.DrawOver(page, [cells = std::move(cells)](QPainter& painter) {
    for (const Cell& cell : cells) {
      DrawCellText(painter, font, cell.character, cell.column, cell.line, kHighlightText, kHighlightGround);
    }
  });
}
