#pragma once

#include "viewer/canvas/ViewerState.h"
#include "viewer/document/Document.h"
#include "viewer/document/MarkList.h"

#include <array>
#include <cstdint>
#include <string_view>

// What the marking commands do to the document, apart from the window: each
// appends entries to the mark lists of the current page's lines.

enum class MarkOutcome {
  Changed,     // an entry was stored
  Unchanged,   // nothing to mark (blank, centred or right-aligned line...)
  ListFull,    // an entry did not fit its list: nothing of it was stored
  NotTwoLines  // a vertical bar needs exactly two selected lines
};

using LineFlags = std::array<std::int32_t, kLinesPerPage>;

bool IsBlankText(std::string_view text);
bool IsCentredOrRight(const LineRecord& record);

// Underlines every selected, non-blank, left-aligned line from its first
// non-blank character to the end of its stored text.
MarkOutcome MarkWholeLines(Document& document, const LineFlags& selection);
// A bar beside the two selected lines, stored on the upper one.
MarkOutcome MarkVerticalBar(Document& document, const LineFlags& selection);

enum class PieceKind { Underline, TwoColours, Bold };
// The chosen piece of the anchor line, its columns stored in reading order
// whichever way it was dragged: underlined, in two colours (the
// settings' colours at this moment) or in bold.
MarkOutcome MarkPiece(Document& document, const PieceSelection& piece, PieceKind kind,
                      const ColourSettings& colours);
// Whether a link may be made on the piece's line (it has text and is left-aligned).
bool PieceCanBeMarked(const Document& document, const PieceSelection& piece);
// A link from the piece to `targetPage`, numbered by the document's counter.
MarkOutcome MarkLink(Document& document, const PieceSelection& piece, int targetPage);

// The page a link piece covering `column` of `line` leads to, or 0: the
// first covering entry whose identifier marks a page link, when its target
// is a page of the document.
int FollowLink(const Document& document, int line, int column);
// The same on any page of the document.
int FollowLinkOnPage(const Document& document, int page, int line, int column);
// The page the link piece `piece` of `record` leads to, or 0: its identifier
// marks a page link and its target is a page of the document.
int LinkPieceTarget(const Document& document, const LineRecord& record, const MarkEntry& piece);

// Sets the alignment tag of the selected lines that have text and no marks.
void AlignLines(Document& document, const LineFlags& selection, std::string_view tag);
