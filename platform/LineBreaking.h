#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a line of text is laid out on a line of fixed cells, the same in the
// editor's box and on the viewer's pages, so that what the one shows the
// other lays out. Both call these routines; the editor with UTF-16 units,
// the viewer with Windows-1252 bytes. Every unit takes one cell but a tab,
// which reaches the next tab stop (columns 9, 17, 25, ...) counted from the
// start of the line, or the line's last column when no stop is left on it.
//
// A line too wide for its cells breaks after the last blank that fits (the
// blanks at a break all stay at the end of the upper line, even beyond the
// last cell, as they show as nothing). Only the blank is a place to break.
// A word wider than a line breaks after its last unit that fits, but never
// inside a surrogate pair or an inline marker ("\$k" bullet, "\#nn" icon).

inline constexpr std::size_t kPageColumns = 93;
inline constexpr std::size_t kTabStop = 8;
// How far past a line's start its layout may read: a line's cells, the unit
// that does not fit and the rest of a marker it may cut.
inline constexpr std::size_t kLayoutLookAhead = 3;

// The cells a unit takes when it starts at `column` (0-based) of a line of
// `columns` cells.
template <typename Char>
std::size_t CellWidth(Char unit, std::size_t column, std::size_t columns = kPageColumns);

// The length of the inline marker whose backslash is at `at`: 3 for "\$1" to
// "\$4", 4 for "\#01" to "\#99", 0 when none starts there.
template <typename Char>
std::size_t InlineMarkerLength(std::basic_string_view<Char> text, std::size_t at);

// Where the line that starts at `start` ends: units [start, end) form it.
// The line ends at a line end (CR or LF, left out), at the end of the text,
// or where it breaks; a broken line's successor starts at `end`.
template <typename Char>
std::size_t NextLineEnd(std::basic_string_view<Char> text, std::size_t start,
                        std::size_t columns = kPageColumns);

// The 0-based column where unit `offset` of a line starts.
template <typename Char>
std::size_t ColumnOfUnit(std::basic_string_view<Char> line, std::size_t offset,
                         std::size_t columns = kPageColumns);

// The unit boundary of a line nearest to `column`.
template <typename Char>
std::size_t UnitNearColumn(std::basic_string_view<Char> line, std::size_t column,
                           std::size_t columns = kPageColumns);

// A line with each tab replaced by the blanks that reach its stop.
std::string ExpandTabs(std::string_view line, std::size_t columns = kPageColumns);
