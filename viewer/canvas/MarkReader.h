#pragma once

#include "viewer/document/Document.h"

#include <string>
#include <vector>

// The one reader of the document's marks: the study notes, the PDF's
// outline and any later list of marks take them from here, so that they all
// agree with what the pages show.

// In the order marks of one line and column are read.
enum class MarkKind { Bar, Underline, TwoColours, Bold, Link };

struct ReadMark {
  int page = 0;
  int line = 0;      // the line that carries it; a bar: its first line
  int lastLine = 0;  // a bar: its last line; any other mark: its line
  int firstColumn = 0;
  int lastColumn = 0;
  MarkKind kind = MarkKind::Underline;
  // UTF-8, the characters the page shows in those columns (a bullet as its
  // symbol, an icon as nothing), blanks at both ends left out; a bar: the
  // text of each line it runs beside, "\n" between them.
  std::string text;
  int targetPage = 0;  // a link: the page a click on it opens, 0 for none
};

// Every mark the pages firstPage..lastPage show, in reading order: by page,
// by line, then by column. Marks that show no text are left out.
std::vector<ReadMark> ReadMarks(const Document& document, int firstPage, int lastPage);
