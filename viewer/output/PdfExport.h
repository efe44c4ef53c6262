#pragma once

#include "viewer/output/PageOutput.h"

#include <optional>
#include <string>

// The name of the one PDF file of a span: "N.pdf" for page N alone,
// "A-B.pdf" for pages A to B.
std::string PdfFileName(PageSpan pages);

// Writes the span as one A4 PDF, with its links between its pages, into
// `folder` (a path ending in its name, no separator), replacing a file of
// that name: the old file stays until the new one is complete.
std::optional<ExportResult> ExportPdf(PageRenderer& renderer, PageSpan pages, const std::string& folder);
