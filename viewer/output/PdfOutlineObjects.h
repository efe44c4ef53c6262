#pragma once

// The outline written into a PDF being rewritten with qpdf. Built as C++17
// with the other code that uses qpdf's headers.

#include "viewer/output/PdfOutlineEntry.h"

#include <vector>

class QPDF;
class QPDFPageObjectHelper;

// Gives `file` the outline `entries` (each entry opening its sheet of
// `sheets`; an entry whose sheet is not there is left out) and asks readers
// to show it beside the pages. Nothing for an empty outline.
void AddOutlineObjects(QPDF& file, const std::vector<QPDFPageObjectHelper>& sheets,
                       const std::vector<PdfOutlineEntry>& entries);
