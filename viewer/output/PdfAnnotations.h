#pragma once

// Link annotations added to a finished PDF with qpdf. Kept apart, with a
// plain interface, because qpdf's headers do not compile with clang in
// C++20 mode: this file is built as C++17.

#include "viewer/output/PdfOutlineEntry.h"

#include <string>
#include <vector>

// A clickable rectangle on one sheet (0-based) that jumps to the top of
// another sheet; in points from the sheet's bottom-left corner.
struct PdfLinkRect {
  int fromSheet = 0;
  int toSheet = 0;
  double left = 0;
  double bottom = 0;
  double right = 0;
  double top = 0;
};

// Adds the links and the outline to `pdf`, which must hold `sheetCount`
// sheets of `sheetHeight` points. False with the reason when the PDF cannot
// be read or written; `pdf` is then unchanged.
bool AddLinkAnnotations(std::string& pdf, int sheetCount, double sheetHeight, const std::vector<PdfLinkRect>& links,
                        const std::vector<PdfOutlineEntry>& outline, std::string& why);
