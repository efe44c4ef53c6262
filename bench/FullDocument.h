#pragma once

#include "viewer/document/Document.h"
#include "viewer/document/MarkList.h"

#include <cstdint>
#include <functional>
#include <string>

// A document as the loader leaves a 200-page text, with an underline on every
// eighth line; lineText gives the text of each absolute line.
inline void FillFullDocument(Document& document, const std::function<std::string(int)>& lineText) {
  int absolute = 0;
  for (int page = 1; page <= kMaxPages; ++page) {
    for (int line = 1; line <= kLinesPerPage; ++line) {
      LineRecord& record = document.UseLine(page, line);
      record.absoluteLine = ++absolute;
      record.pageNumber = page;
      record.lineInPage = static_cast<std::int16_t>(line);
      record.text = lineText(absolute);
      if (line % 8 == 0) {
        AppendMarkEntry(record.horizontalMarks, kMarkListFieldSize, {line, 6, 40});
        record.hasMarks = 1;
      }
    }
  }
  document.PageCount = kMaxPages;
}

// Every kind of mark on line `line` of its page: the whole line underlined,
// a two-colour, a bold and a link piece, and a bar on every tenth line.
inline void MarkEveryWay(LineRecord& record, int line) {
  record.hasMarks = record.hasBold = record.hasLinks = 1;
  const std::string l = std::to_string(line);
  record.horizontalMarks = l + ",3,96;";
  record.twoColourPieces = l + ",10,30,255,16777215;";
  record.boldPieces = l + ",40,50;";
  record.linkPieces = l + ",60,70,1E1;";
  record.linkTargets = "2,1E1;";
  record.verticalMarks = line % 10 == 1 ? l + "," + std::to_string(line + 5) + ";" : "";
}
