// The reader's marks, drawn from the lists of each line's record.
#include "viewer/canvas/PageRenderer.h"

#include "viewer/canvas/CellText.h"
#include "viewer/document/MarkList.h"

#include <algorithm>

namespace {

// Columns far outside the page are drawn at its edge, so no number a list
// holds can overflow the pixel arithmetic.
int ColumnLeft(long long column) { return static_cast<int>((std::clamp(column, -8LL, 120LL) - 1) * kCellWidth); }
int ColumnRight(long long column) { return ColumnLeft(column) + kCellWidth; }
int LineTop(long long line) { return static_cast<int>((std::clamp(line, -2LL, 80LL) - 1) * kLineHeight); }

// Prints the characters of `text` at 1-based indices column - 3 for the
// columns first..last into their cells; columns without a character print
// nothing.
void PrintTextColumns(QPainter& painter, const QFont& font, std::string_view text, long long first,
                      long long last, int line, QColor colour, std::optional<QColor> background) {
  first = std::max(first, static_cast<long long>(kFirstTextColumn));
  last = std::min(last, static_cast<long long>(text.size()) + kFirstTextColumn - 1);
  if (first > last) return;
  DrawCellOverprint(painter, font, text.substr(static_cast<std::size_t>(first - kFirstTextColumn),
                                               static_cast<std::size_t>(last - first + 1)),
                    first, line, colour, background);
}

}  // namespace

const QFont& PieceFont(const PieceLook& look) {
  static const QFont fonts[2][2] = {{MakePageFont(10), MakePageFont(10, false, false, true)},
                                    {MakePageFont(10, true), MakePageFont(10, true, false, true)}};
  return fonts[look.bold][look.underline];
}

namespace {

QPen MarkPen(long long colour) {
  QPen pen(ColourFromValue(colour), 2, Qt::SolidLine, Qt::FlatCap);
  return pen;
}

}  // namespace

bool LineTakesPartInMarks(const LineRecord& record) {
  return record.hasMarks == 1 && record.alignment != kAlignCentre && record.alignment != kAlignRight;
}

void PageRenderer::DrawMarks(QPainter& painter, const PageToDraw& at) {
  for (int line = kLinesPerPage; line >= 1; --line) {
    const LineRecord& record = LineOf(at, line);
    if (LineTakesPartInMarks(record)) PaintLineMarksFirstPass(painter, at, line, record);
  }
  for (int line = 1; line <= kLinesPerPage; ++line) {
    DrawIcons(painter, at, line);
    DrawBullets(painter, at, line);
  }
  for (int line = 1; line <= kLinesPerPage; ++line) {
    const LineRecord& record = LineOf(at, line);
    if (!LineTakesPartInMarks(record)) continue;
    PaintVerticalBars(painter, at, record);
    PaintUnderlines(painter, at, line, record);
  }
}

void PageRenderer::PaintLineMarksFirstPass(QPainter& painter, const PageToDraw& at, int line,
                                           const LineRecord& record) {
  PaintPieces(painter, at, line, record);
  PaintUnderlines(painter, at, line, record);
  PaintVerticalBars(painter, at, record);
}

void PageRenderer::ForEachPiece(const PageToDraw& at, const LineRecord& record,
                                const std::function<void(long long, long long, const PieceLook&)>& use) const {
  if (record.hasLinks == 1 && !record.linkPieces.empty()) {
    const PieceLook link{ColourFromValue(at.look.settings.colours.links), QColor(Qt::white), false, true};
    for (const MarkEntry& entry : ParseMarkEntries(record.linkPieces)) use(entry.Number(1), entry.Number(2), link);
  }
  for (const MarkEntry& entry : ParseMarkEntries(record.twoColourPieces)) {
    use(entry.Number(1), entry.Number(2), {ColourFromValue(entry.Number(4)), ColourFromValue(entry.Number(3)), false, false});
  }
  if (record.hasBold != 1) return;
  const PieceLook bold{Qt::black, std::nullopt, true, false};
  for (const MarkEntry& entry : ParseMarkEntries(record.boldPieces)) use(entry.Number(1), entry.Number(2), bold);
}

void PageRenderer::PaintPieces(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record) {
  if (DrawsVectors(painter)) {
    // The letters are written with the line's text, each once, in the look
    // its last piece gives it; here only the grounds, under that text.
    if (!at.textDrawn) FillPieceGrounds(painter, at, line, record);
    return;
  }
  ForEachPiece(at, record, [&](long long first, long long last, const PieceLook& look) {
    PrintTextColumns(painter, PieceFont(look), record.text, first, last, line, look.colour, look.ground);
  });
}

void PageRenderer::PaintUnderlines(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record) {
  if (record.horizontalMarks.empty()) return;
  painter.setPen(MarkPen(at.look.settings.colours.horizontal));
  const int y = line * kLineHeight;
  for (const MarkEntry& entry : ParseMarkEntries(record.horizontalMarks)) {
    painter.drawLine(ColumnLeft(entry.Number(1) + 1LL), y, ColumnRight(entry.Number(2)), y);
  }
}

void PageRenderer::PaintVerticalBars(QPainter& painter, const PageToDraw& at, const LineRecord& record) {
  if (record.verticalMarks.empty()) return;
  painter.setPen(MarkPen(at.look.settings.colours.vertical));
  for (const MarkEntry& entry : ParseMarkEntries(record.verticalMarks)) {
    const int top = LineTop(entry.Number(0));
    const int bottom = LineTop(entry.Number(1)) + kLineHeight;
    painter.drawLine(20, top - 1, 20, bottom);
    painter.drawLine(20, top, 30, top);
    painter.drawLine(20, bottom, 30, bottom);
  }
}
