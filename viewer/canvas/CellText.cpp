#include "viewer/canvas/CellText.h"

#include "platform/CodePage.h"
#include "viewer/document/PageGeometry.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kCell = 8;

// QRawFont is costly to make and a page uses three or four fonts.
const QRawFont& RawFontOf(const QFont& font) {
  static QHash<QString, QRawFont> cache;
  const QString key = font.key();
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.insert(key, QRawFont::fromFont(font));
  return *it;
}

}  // namespace

int PagePixelSize(int pointSize) {
  // A size of 0 is what the settings store when no size was chosen: the
  // page's own 10 points then.
  if (pointSize <= 0) pointSize = 10;
  const int pixels = static_cast<int>(std::lround(pointSize * 96.0 / 72.0));
  return std::clamp(pixels, 1, 400);
}

QFont MakePageFont(int pointSize, bool bold, bool italic, bool underline) {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(PagePixelSize(pointSize));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setKerning(false);
  return font;
}

namespace {

// The font's underline under the cells of a run, where the painter puts it
// for a glyph run at one pixel a pixel. Drawn here on every target: the
// painter's own decoration of a glyph run lands elsewhere on a scaled one.
void DrawUnderline(QPainter& painter, const QRawFont& raw, QPointF origin, double lastCellX, QColor colour) {
  double offset = raw.underlinePosition();
  if (std::ceil(offset) + 0.5 <= raw.descent()) offset = std::ceil(offset) + 0.5;
  const double thickness = raw.lineThickness();
  const double right = origin.x() + lastCellX + kCell;
  painter.fillRect(QRectF(QPointF(origin.x(), origin.y() + offset - thickness / 2),
                          QPointF(right, origin.y() + offset + thickness / 2)),
                   colour);
}

// Letters as filled outlines: a vector target then holds no second copy of
// the text.
void FillGlyphOutlines(QPainter& painter, const QRawFont& raw, const QList<quint32>& glyphs,
                       const QList<QPointF>& positions, QPointF origin, QColor colour) {
  QPainterPath outlines;
  for (qsizetype k = 0; k < glyphs.size(); ++k) {
    outlines.addPath(raw.pathForGlyph(glyphs[k]).translated(origin + positions[k]));
  }
  painter.fillPath(outlines, colour);
}

void DrawCells(QPainter& painter, const QFont& font, std::string_view cp1252, long long firstColumn, int line,
               QColor colour, std::optional<QColor> background, bool outlined) {
  if (cp1252.empty()) return;
  // Only the cells that can be on the page matter; this also bounds the work.
  const long long firstVisible = std::max(firstColumn, -1LL);
  const long long lastVisible = std::min(firstColumn + static_cast<long long>(cp1252.size()) - 1, 101LL);
  if (firstVisible > lastVisible) return;
  const std::string_view shown = cp1252.substr(static_cast<std::size_t>(firstVisible - firstColumn),
                                               static_cast<std::size_t>(lastVisible - firstVisible + 1));
  const int top = TextRowTop(line);
  const QFontMetrics metrics(font);
  QString text;
  text.reserve(static_cast<qsizetype>(shown.size()));
  // Glyph positions are relative to the run's origin, the first cell's left
  // edge on the baseline, where the font's underline starts too.
  const QPointF origin(static_cast<double>((firstVisible - 1) * kCell), top + metrics.ascent());
  QList<QPointF> positions;
  for (std::size_t k = 0; k < shown.size(); ++k) {
    if (background) FillCellGround(painter, firstVisible + static_cast<long long>(k), 1, line, *background);
    const auto byte = static_cast<unsigned char>(shown[k]);
    // A control byte has no picture of its own: it shows as a blank, never
    // as the font's empty box.
    const bool control = byte < 0x20 || byte == 0x7F;
    text += QChar(static_cast<char16_t>(control ? u' ' : Cp1252ToCodePoint(byte)));
    positions.append(QPointF(static_cast<double>(k) * kCell, 0));
  }
  const QRawFont& raw = RawFontOf(font);
  QGlyphRun run;
  run.setRawFont(raw);
  QList<quint32> glyphs = raw.glyphIndexesForString(text);
  const auto count = std::min(glyphs.size(), positions.size());
  glyphs.resize(count);
  positions.resize(count);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  if (outlined) {
    FillGlyphOutlines(painter, raw, glyphs, positions, origin, colour);
  } else {
    painter.setPen(colour);
    painter.drawGlyphRun(origin, run);
  }
  if (font.underline() && !positions.isEmpty()) DrawUnderline(painter, raw, origin, positions.last().x(), colour);
}

}  // namespace

bool DrawsVectors(const QPainter& painter) { return painter.paintEngine()->type() != QPaintEngine::Raster; }

void FillCellGround(QPainter& painter, long long firstColumn, long long cells, int line, QColor ground) {
  static const int fontHeight = QFontMetrics(MakePageFont(10)).height();
  // A ground covers the font's character cell, never more than the line's.
  const int height = std::min(fontHeight, kLineHeight);
  painter.fillRect(QRect(static_cast<int>((firstColumn - 1) * kCell), TextRowTop(line), static_cast<int>(cells * kCell), height),
                   ground);
}

void DrawCellText(QPainter& painter, const QFont& font, std::string_view cp1252, long long firstColumn,
                  int line, QColor colour, std::optional<QColor> background) {
  DrawCells(painter, font, cp1252, firstColumn, line, colour, background, false);
}

void DrawCellOverprint(QPainter& painter, const QFont& font, std::string_view cp1252, long long firstColumn,
                       int line, QColor colour, std::optional<QColor> background) {
  DrawCells(painter, font, cp1252, firstColumn, line, colour, background, DrawsVectors(painter));
}
