#pragma once

#include "viewer/output/PageOutput.h"
#include "viewer/output/PdfOutlineEntry.h"
#include "viewer/output/PdfPages.h"

#include <QByteArray>
#include <QRect>

#include <string>
#include <vector>

class Document;

// A stretch of a line that leads to another page, in page pixels.
struct PageLinkArea {
  QRect area;
  int targetPage = 0;
};

// Where a click on `page` leads, as runs of cells of one line with the same
// target: exactly the cells a click on the screen follows.
std::vector<PageLinkArea> PageLinkAreas(const Document& document, int page);

// Adds to the PDF of the span (one sheet a page) a link annotation for each
// link area whose target page is in the file, jumping to the top of that
// page, and the outline. False with the reason when the PDF cannot be read
// or written.
bool AddPageLinks(QByteArray& pdf, const Document& document, PageSpan pages, const PdfSheet& sheet,
                  const std::vector<PdfOutlineEntry>& outline, std::string& why);
