#include "viewer/output/PdfOutline.h"

#include "texts/TextSet.h"
#include "viewer/canvas/MarkReader.h"

namespace {

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// The top of a line of the page, in the PDF's points.
double LineTop(const PdfSheet& sheet, int line) {
  return PdfPointOfPagePixel(sheet, QPointF(0, (line - 1) * kLineHeight)).y();
}

}  // namespace

std::string OutlineTitle(std::string_view text, std::size_t length) {
  std::string title;
  std::size_t characters = 0, cut = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && ++characters == length) cut = i;  // where "…" goes if more follows
    if (StartsCharacter(text[i]) && characters > length) return title.substr(0, cut) + "\u2026";
    if (text[i] != '\n') {
      title += text[i];
    } else if (!title.empty() && title.back() != ' ') {
      title += ' ';  // a bar's lines, side by side
    }
  }
  return title;
}

std::vector<PdfOutlineEntry> MarkOutline(const Document& document, PageSpan pages, const PdfSheet& sheet) {
  std::vector<PdfOutlineEntry> outline;
  for (const ReadMark& mark : ReadMarks(document, pages.first, pages.last)) {
    const int sheetIndex = mark.page - pages.first;
    if (outline.empty() || outline.back().sheet != sheetIndex) {
      outline.push_back({std::string(Text(TextId::PageNumberWord)) + std::to_string(mark.page), sheetIndex,
                         LineTop(sheet, 1), {}});
    }
    outline.back().children.push_back({OutlineTitle(mark.text), sheetIndex, LineTop(sheet, mark.line), {}});
  }
  return outline;
}
