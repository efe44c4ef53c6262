#include "bench/output/MarkedPages.h"

#include "viewer/document/MarkList.h"

namespace {

void FillText(Document& document) {
  for (int page = 1; page <= 2; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = (page - 1) * kLinesPerPage + line;
      record.pageNumber = page;
      record.lineInPage = static_cast<std::int16_t>(line);
      record.text = std::string(93, static_cast<char>('a' + line % 26));
    }
  }
  document.PageCount = 2;
  document.DocumentLoaded = 1;
}

void MarkMixed(LineRecord& r, int line) {
  AppendMarkEntry(r.boldPieces, kMarkListFieldSize, {line, 4, 13});
  AppendMarkEntry(r.twoColourPieces, kTwoColourFieldSize, {line, 20, 29, 65535, 255});
  AppendMarkEntry(r.linkPieces, kMarkListFieldSize, {line, 40, 49, "1E1"});
  AppendMarkEntry(r.horizontalMarks, kMarkListFieldSize, {line, 3, 96});
  r.hasMarks = r.hasLinks = r.hasBold = 1;
}

// Pieces of every length at every place, until no list takes one more.
void MarkFull(LineRecord& r, int line) {
  for (int k = 0;; ++k) {
    const int first = 4 + k % 80, last = first + k % 13;
    bool any = AppendMarkEntry(r.boldPieces, kMarkListFieldSize, {line, first, last});
    any = AppendMarkEntry(r.twoColourPieces, kTwoColourFieldSize, {line, first, last, k * 4099 % 16777216, k * 977 % 16777216}) || any;
    any = AppendMarkEntry(r.linkPieces, kMarkListFieldSize, {line, first, last, "1E" + std::to_string(k)}) || any;
    any = AppendMarkEntry(r.horizontalMarks, kMarkListFieldSize, {line, first, last}) || any;
    any = AppendMarkEntry(r.verticalMarks, kMarkListFieldSize, {line, line + k % 3}) || any;
    if (!any) break;
  }
  r.hasMarks = r.hasLinks = r.hasBold = 1;
}

}  // namespace

bool FillMarkedPage(Document& document, const std::string& name) {
  if (name != "bold30" && name != "mixed" && name != "full") return false;
  FillText(document);
  document.UseLine(2, 1).linkTargets = "2,1E1;";
  for (int line = 1; line <= kLinesPerPage; ++line) {
    LineRecord& r = document.UseLine(1, line);
    if (name == "bold30" && line <= 30) {
      AppendMarkEntry(r.boldPieces, kMarkListFieldSize, {line, 4, 33});
      r.hasBold = r.hasMarks = 1;
    }
    if (name == "mixed") MarkMixed(r, line);
    if (name == "full") MarkFull(r, line);
  }
  return true;
}
