#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>

#include <optional>
#include <string_view>

// Page text sits on a grid of 8 x 16 pixel cells whatever the font's own
// advance: character k of a run is drawn at the left edge of its cell, so
// text, marks and the mouse always agree.

// "Courier New" at a point size (pt * 96 / 72 pixels, rounded); fontconfig
// resolves the name to a metric-compatible face.
QFont MakePageFont(int pointSize, bool bold = false, bool italic = false, bool underline = false);

// The pixel size a point size takes on the page; sizes a hand-edited file
// can hold are kept within what a page can show.
int PagePixelSize(int pointSize);

// The top of the text row of a page line (1-based): the top of the line's
// cell. The font's character cell (ascent + descent) starts there, so
// descenders and the font's underline stay inside the line's own 16 rows.
constexpr int TextRowTop(int line) { return (line - 1) * 16; }

// Draws `cp1252` (one byte per cell) with its first character in `firstColumn`
// of `line`. With a background, each drawn cell is first filled with it.
void DrawCellText(QPainter& painter, const QFont& font, std::string_view cp1252, long long firstColumn,
                  int line, QColor colour, std::optional<QColor> background = std::nullopt);
// The same for letters that are not text to read back: drawn again over
// the page's own text (pieces) or covered by a symbol (markers). On a
// vector target they are outlines, so that a reader of the file finds
// each line's text once and no marker in it.
void DrawCellOverprint(QPainter& painter, const QFont& font, std::string_view cp1252, long long firstColumn,
                       int line, QColor colour, std::optional<QColor> background = std::nullopt);

// Whether the painter draws vectors (a PDF page, a printer), where every
// letter is to be written once, as text.
bool DrawsVectors(const QPainter& painter);

// The ground of `cells` cells of `line` from `firstColumn` on: the page
// font's character cell high, never more than the line.
void FillCellGround(QPainter& painter, long long firstColumn, long long cells, int line, QColor ground);

// How a piece shows the letters it covers.
struct PieceLook {
  QColor colour;
  std::optional<QColor> ground;
  bool bold = false;
  bool underline = false;
  friend bool operator==(const PieceLook&, const PieceLook&) = default;
};

// A colour of the stored type (red in the low byte) as a QColor.
inline QColor ColourFromValue(long long value) {
  const auto v = static_cast<unsigned long long>(value);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}
