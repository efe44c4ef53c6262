#pragma once

#include "viewer/output/PageOutput.h"
#include "viewer/output/PdfOutlineEntry.h"
#include "viewer/output/PdfPages.h"

#include <string>
#include <vector>

class Document;

// The longest title of a mark's entry, in characters.
inline constexpr std::size_t kOutlineTitleLength = 60;

// The outline of the PDF of the span: for each page that carries marks an
// entry with the page's label, opening its top, and under it one entry per
// mark in reading order, titled with its text and opening its page at its
// line. Empty when the span has no marks.
std::vector<PdfOutlineEntry> MarkOutline(const Document& document, PageSpan pages, const PdfSheet& sheet);

// `text` on one line, blanks at its ends left out, cut to `length`
// characters (the last of them "…" when it was cut).
std::string OutlineTitle(std::string_view text, std::size_t length = kOutlineTitleLength);
