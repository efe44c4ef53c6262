// A line on a vector target: every letter written once, as text, in the
// colour and weight the last piece drawn over it gives it, so that a reader
// of the file finds the line's text once and the file stays small.
#include "viewer/canvas/InlineMarkers.h"
#include "viewer/canvas/PageRenderer.h"

#include <algorithm>

namespace {

constexpr long long kLastVisibleColumn = 101;  // a cell of it still shows on the page

}  // namespace

std::vector<std::optional<PieceLook>> PageRenderer::LetterLooks(const PageToDraw& at, const LineRecord& record,
                                                                std::size_t letters) const {
  std::vector<std::optional<PieceLook>> looks(letters);
  if (!LineTakesPartInMarks(record)) return looks;
  const auto count = static_cast<long long>(letters);
  ForEachPiece(at, record, [&](long long first, long long last, const PieceLook& look) {
    // Columns to letters, within the line's text.
    const long long from = std::max(first - kFirstTextColumn, 0LL), to = std::min(last - kFirstTextColumn, count - 1);
    for (long long k = from; k <= to; ++k) {
      std::optional<PieceLook>& letter = looks[static_cast<std::size_t>(k)];
      // A piece without a ground of its own is drawn over the ground before it.
      const std::optional<QColor> ground = look.ground ? look.ground : letter ? letter->ground : std::nullopt;
      letter = look;
      letter->ground = ground;
    }
  });
  return looks;
}

void PageRenderer::DrawLineRuns(QPainter& painter, const PageToDraw& at, int line, std::string_view shown,
                                long long firstColumn) {
  PieceLook plain;
  plain.colour = QColor(state_.PageTextColour);
  const std::vector<std::optional<PieceLook>> looks = LetterLooks(at, LineOf(at, line), shown.size());
  // The characters of bullet and icon markers lie under their symbols: not
  // text a reader of a PDF should find.
  const std::vector<bool> marker = MarkerCharacters(shown);
  const auto lookAt = [&](std::size_t k) { return marker[k] ? plain : looks[k].value_or(plain); };
  for (std::size_t start = 0, end = 0; start < shown.size(); start = end) {
    const PieceLook look = lookAt(start);
    while (end < shown.size() && marker[end] == marker[start] && lookAt(end) == look) ++end;
    const auto draw = marker[start] ? DrawCellOverprint : DrawCellText;
    draw(painter, PieceFont(look), shown.substr(start, end - start), firstColumn + static_cast<long long>(start), line,
         look.colour, std::nullopt);
  }
}

void PageRenderer::FillPieceGrounds(QPainter& painter, const PageToDraw& at, int line, const LineRecord& record) {
  // As the letters they lie under: within the text and the page's columns.
  const std::size_t letters = std::min<std::size_t>(record.text.size(), kLastVisibleColumn - kFirstTextColumn + 1);
  const std::vector<std::optional<PieceLook>> looks = LetterLooks(at, record, letters);
  const auto groundAt = [&](std::size_t k) { return looks[k] ? looks[k]->ground : std::nullopt; };
  for (std::size_t start = 0, end = 0; start < letters; start = end) {
    const std::optional<QColor> ground = groundAt(start);
    while (end < letters && groundAt(end) == ground) ++end;
    if (ground) FillCellGround(painter, kFirstTextColumn + static_cast<long long>(start), static_cast<long long>(end - start), line, *ground);
  }
}
