#pragma once

#include "viewer/output/ExportRequest.h"

class PageRenderer;

// The export as first built, kept to measure against: each page drawn into
// the screen's page picture and shown, its colours counted through a hash
// map, encoded by Qt's writer (a palette when the page has at most 256
// colours) and written with its own flush and folder flush, one page after
// the other. False when a page could not be written.
bool ExportPagesNaively(PageRenderer& renderer, const ExportRequest& request);
