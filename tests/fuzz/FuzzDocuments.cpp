#include "tests/fuzz/FuzzDocuments.h"

Document FuzzBaseDocument() {
  Document document;
  for (int line = 1; line <= 2; ++line) {
    LineRecord& record = document.UseLine(1, line);
    record.absoluteLine = line;
    record.pageNumber = 1;
    record.lineInPage = static_cast<std::int16_t>(line);
  }
  LineRecord& first = document.UseLine(1, 1);
  first.text = "The first line of the base document";
  first.hasMarks = 1;
  first.horizontalMarks = "1,6,12;";
  first.verticalMarks = "1,2;";
  first.twoColourPieces = "5,9,255,16777215;";
  first.hasLinks = 1;
  first.linkPieces = "1,14,18,1E;";
  first.linkTargets = "2,1E;";
  first.hasBold = 1;
  first.boldPieces = "1,20,23;";
  document.UseLine(1, 2).text = "second";
  document.UseLine(1, 2).alignment = "AL2";
  document.PageCount = 1;
  document.linkCounter = 1;
  document.boldCounter = 1;
  return document;
}

std::string CachePatch(std::size_t offset, std::string_view bytes) {
  std::string patch{static_cast<char>(offset >> 16 & 0xFF), static_cast<char>(offset >> 8 & 0xFF),
                    static_cast<char>(offset & 0xFF), static_cast<char>(bytes.size())};
  return patch.append(bytes.substr(0, 255));
}
