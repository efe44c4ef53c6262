#pragma once

#include "viewer/document/Document.h"
#include "viewer/document/PageGeometry.h"
#include "viewer/document/RecordLayout.h"

#include <cstdint>
#include <string>

// The one way tests build documents: a line, a loaded text, a text file's bytes, a fully marked document.

inline LineRecord TextLine(int page, int line, int absoluteLine, std::string text = "text") {
  LineRecord record;
  record.absoluteLine = absoluteLine;
  record.pageNumber = page;
  record.lineInPage = static_cast<std::int16_t>(line);
  record.text = std::move(text);
  return record;
}

// Line `line` of page `page` of a loaded text, numbered as the loader numbers it.
inline LineRecord& PutLine(Document& document, int page, int line, std::string text) {
  return document.UseLine(page, line) = TextLine(page, line, (page - 1) * kLinesPerPage + line, std::move(text));
}

// A loaded text of `lines` lines, 65 to a page, as the loader fills the grid; every seventh line is empty.
inline Document LoadedText(int lines) {
  Document document;
  for (int n = 1; n <= lines; ++n) {
    PutLine(document, (n - 1) / kLinesPerPage + 1, (n - 1) % kLinesPerPage + 1,
            n % 7 == 0 ? "" : "line " + std::to_string(n));
  }
  document.PageCount = (lines - 1) / kLinesPerPage + 1;
  document.DocumentLoaded = 1;
  return document;
}

// The bytes of a text file: "Line 1\r\nLine 2\r\n..." with `count` lines.
inline std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + "\r\n";
  return text;
}

// A document with something in every kind of field a cache carries.
inline Document MarkedDocument() {
  Document document = LoadedText(100);
  LineRecord& marked = document.UseLine(1, 5);
  marked.horizontalMarks = "5,9,14;5,20,31;";
  marked.twoColourPieces = "5,10,14,65535,0;";
  marked.verticalMarks = "5,9;";
  marked.linkPieces = "5,12,20,1E1;";
  marked.linkTargets = "2,1E1;";
  marked.boldPieces = "5,4,8;";
  marked.hasMarks = marked.hasLinks = marked.hasBold = 1;
  document.UseLine(1, 6).alignment = "AL2";
  document.UseLine(1, 7).imageLine = 1;
  document.UseLine(2, 1).reserved.runs = {{RecordLayout::kReserved + 10, "keep me"}};
  document.UseLine(2, 40) = TextLine(2, 40, 0);  // not in use: absoluteLine 0 ...
  document.UseLine(2, 40).keepRecord = 1;        // ... but kept
  for (int line = 1; line <= kLinesPerPage; ++line) document.Box(1, line).savedBytes.fill(static_cast<std::uint8_t>(line));
  document.linkCounter = -4;
  document.boldCounter = 2147483647;
  return document;
}
