#pragma once

#include <array>

// The fixed page of the viewer: a DIN A4 sheet at 96 dots per inch with 65
// text lines on a grid of 8 x 16 pixel cells. Every part of the viewer that
// turns lines and columns into pixels takes its numbers from here.

inline constexpr int kMaxPages = 200;
inline constexpr int kLinesPerPage = 65;

// Lines below the text carry the page furniture and are never stored.
inline constexpr int kFooter1Line = 66;
inline constexpr int kFooter2Line = 67;
inline constexpr int kPageNumberLine = 68;

inline constexpr int kLineHeight = 16;
inline constexpr int kCellWidth = 8;
inline constexpr int kColumnCells = 114;
inline constexpr int kPageMargin = 3;

inline constexpr int kPageWidth = 794;
inline constexpr int kPageHeight = 1122;
inline constexpr int kViewWidth = kPageWidth;
inline constexpr int kViewHeight = 955;

// Longest stored line; text character i sits in column i + 3.
inline constexpr int kMaxLineText = 113;
inline constexpr int kFirstTextColumn = 4;
inline constexpr int kLastTextColumn = 96;
inline constexpr int kPrintedChars = kLastTextColumn - kFirstTextColumn + 1;

// The pixel box of one character cell; y runs within one line.
struct ColumnBox {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;

  friend constexpr bool operator==(const ColumnBox&, const ColumnBox&) = default;
};

// Cells are numbered 1..kColumnCells; element c - 1 is cell c.
using ColumnTable = std::array<ColumnBox, kColumnCells>;

constexpr ColumnTable BuildColumnTable() {
  ColumnTable table{};
  for (int c = 1; c <= kColumnCells; ++c) {
    const int x0 = (c - 1) * kCellWidth;
    table[c - 1] = ColumnBox{x0, 0, x0 + kCellWidth, kLineHeight};
  }
  return table;
}

constexpr bool IsPageInRange(long long page) { return page >= 1 && page <= kMaxPages; }
constexpr bool IsLineInRange(long long line) { return line >= 1 && line <= kLinesPerPage; }
