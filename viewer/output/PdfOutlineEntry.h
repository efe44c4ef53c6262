#pragma once

// An entry of a PDF's outline (the bookmarks a PDF reader lists beside the
// pages). Plain, as the code that writes it into the file is built as C++17.

#include <string>
#include <vector>

struct PdfOutlineEntry {
  std::string title;  // UTF-8
  int sheet = 0;      // the sheet it opens, 0-based
  double top = 0;     // the height shown at the top of the window, in points from the sheet's bottom
  std::vector<PdfOutlineEntry> children;
};
