// The page's border and its bottom band: two footers and the page number.
#include "viewer/canvas/PageRenderer.h"

#include "platform/CodePage.h"
#include "texts/TextSet.h"
#include "viewer/canvas/CellText.h"
#include "viewer/settings/PageLabel.h"
#include "viewer/settings/TextBlock.h"

#include <QFontMetrics>

namespace {

constexpr int kBandLeft = 24;
constexpr int kFooterTops[] = {1040, 1056};
constexpr int kPageNumberTop = 1072;

QString FromCp1252(std::string_view text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

// Draws one entry stretched by `gaps` extra pixels at its blanks.
void DrawJustified(QPainter& painter, const QFontMetrics& metrics, std::string_view entry,
                   const std::vector<int>& gaps, int x, int baseline) {
  std::size_t gap = 0;
  std::size_t start = 0;
  while (start <= entry.size()) {
    const std::size_t blank = std::min(entry.find(' ', start), entry.size());
    const QString word = FromCp1252(entry.substr(start, blank - start));
    painter.drawText(QPoint(x, baseline), word);
    x += metrics.horizontalAdvance(word);
    if (blank == entry.size()) break;
    x += metrics.horizontalAdvance(QLatin1Char(' ')) + (gap < gaps.size() ? gaps[gap++] : 0);
    start = blank + 1;
  }
}

}  // namespace

void PageRenderer::DrawTextBlock(QPainter& painter, int bottom, std::string_view cp1252, int alignment, int x,
                                 int y, const QFont& font, QColor colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  const QFontMetrics metrics(font);
  const TextWidthFn width = [&metrics](std::string_view s) { return metrics.horizontalAdvance(FromCp1252(s)); };
  const TextBlockLines lines = WrapTextBlock(cp1252, width);

  int widest = 0;
  if (alignment == kBlockAlignJustified) {
    for (const std::string& line : lines) widest = std::max(widest, width(line));
  }
  int top = y;
  for (const std::string& line : lines) {
    if (top > bottom) break;  // the rest would fall below the page
    if (!line.empty()) {
      const int w = width(line);
      const std::vector<int> gaps =
          alignment == kBlockAlignJustified ? JustificationGaps(line, w, widest) : std::vector<int>{};
      if (gaps.empty()) {
        painter.drawText(QPoint(AlignedTextX(alignment, x, w), top + metrics.ascent()), FromCp1252(line));
      } else {
        DrawJustified(painter, metrics, line, gaps, x, top + metrics.ascent());
      }
    }
    top += metrics.height();
  }
  painter.restore();
}

void PageRenderer::DrawFooters(QImage& bitmap, int borderFlag) {
  QPainter painter(&bitmap);
  DrawFootersOfPage(painter, state_.document.CurrentPage, state_.settings, borderFlag);
}

void PageRenderer::DrawFootersOfPage(QPainter& painter, int page, const ViewerSettings& settings, int borderFlag) {
  if (borderFlag == 1) {
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kPageWidth - 1, kPageHeight - 1);
    painter.restore();
  }
  for (std::size_t f = 0; f < settings.footers.size(); ++f) {
    const FooterSettings& footer = settings.footers[f];
    if (footer.enabled == 0) continue;
    const QFont font = MakePageFont(footer.fontSize, footer.bold == 1, footer.italic == 1, footer.underline == 1);
    DrawTextBlock(painter, kPageHeight, footer.text, footer.alignment, kBandLeft, kFooterTops[f], font, Qt::black);
  }
  const PageNumberSettings& number = settings.pageNumber;
  if (number.enabled != 0) {
    const std::string label = PageLabel(page, PageLabelStyleOf(number),
                                        Utf8ToCp1252(Text(TextId::PageNumberWord)));
    DrawTextBlock(painter, kPageHeight, label, number.alignment, kBandLeft, kPageNumberTop,
                  MakePageFont(number.fontSize), Qt::black);
  }
}
