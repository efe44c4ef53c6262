#pragma once

// Reads back the link annotations of a PDF with qpdf. Built as C++17 in a
// library of its own, as qpdf's headers do not compile with clang in C++20
// mode.

#include <string>
#include <vector>

struct PdfLinkSeen {
  std::string subtype;
  int targetSheet = -1;  // 0-based sheet its destination names; -1 for none in the file
  double llx = 0, lly = 0, urx = 0, ury = 0;
};

// Each sheet's annotations, in order; throws when the file cannot be read.
std::vector<std::vector<PdfLinkSeen>> ReadPdfLinks(const std::string& path);
