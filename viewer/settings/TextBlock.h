#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Laying a footer or page-number text into the bottom band of a page: the
// text is broken into a fixed table of lines at a pixel width, never inside
// a word.

inline constexpr int kTextBlockWidth = 744;  // columns 4..96 of the page
inline constexpr int kTextBlockEntries = 100;

using TextWidthFn = std::function<int(std::string_view)>;
using TextBlockLines = std::array<std::string, kTextBlockEntries>;

// Entry 1 takes what fits before the nearest blank at or before the first
// character that does not fit; each later entry longer than the one above it
// is split the same way, leading blanks removed from both parts. A first
// word wider than the box is pushed down the table entry by entry.
TextBlockLines WrapTextBlock(std::string_view text, const TextWidthFn& width,
                             int boxWidth = kTextBlockWidth);

// The split of one entry: the part before the nearest blank at or before the
// first character that does not fit, and the rest from that blank on. The
// whole text when it fits; an empty first part when no blank comes in time.
std::pair<std::string, std::string> SplitAtWidth(std::string_view text, const TextWidthFn& width,
                                                 int boxWidth);

// The horizontal start of an entry of width `entryWidth` under an alignment
// code (131 left, 132 right, 133 centre; 134 and anything else start at x).
int AlignedTextX(int alignment, int x, int entryWidth, int boxWidth = kTextBlockWidth);

// Extra pixels each blank of a justified entry receives: the missing width
// spread over the blanks, the remainder one pixel each to the first blanks.
// Empty when the entry is not stretched (narrower than 0.8 of the widest, the
// widest itself, or without blanks).
std::vector<int> JustificationGaps(std::string_view entry, int entryWidth, int widestWidth);
