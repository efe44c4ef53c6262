#pragma once

#include "platform/FileError.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The reader's favourite colours: a grid of 13 x 10 cells and the file
// "Mis Colores.log" that keeps it, one 24-byte record per cell.

inline constexpr std::string_view kPaletteFileName = "Mis Colores.log";

inline constexpr int kPaletteColumns = 13;
inline constexpr int kPaletteRows = 10;
inline constexpr int kPaletteCellCount = kPaletteColumns * kPaletteRows;
inline constexpr int kPaletteSlot = 25;   // a cell's slot is 25 x 25 pixels
inline constexpr int kPaletteOrigin = 1;  // the grid starts at (1, 1)
inline constexpr int kPaletteCellInset = 3;  // the white gap left and above each box
// The file may name columns and rows 0..50; only the grid's are shown and kept.
inline constexpr int kPaletteFileIndexLimit = 50;

inline constexpr std::size_t kPaletteRecordSize = 24;
inline constexpr std::size_t kPaletteFileSize = kPaletteRecordSize * kPaletteCellCount;  // 3120

inline constexpr std::uint32_t kPaletteWhite = 16777215;

// One cell as its record holds it (little-endian, no padding):
// left, right, top, bottom (int32), column, row (int16), colour (int32).
struct PaletteCell {
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  std::int16_t column = 0;
  std::int16_t row = 0;
  std::int32_t colour = 0;  // red in the low byte

  bool operator==(const PaletteCell&) const = default;
};

struct PaletteSlot {
  int column = 0;
  int row = 0;
};

// The grid in row order: row 0 columns 0..12, then row 1, ...
struct Palette {
  std::array<PaletteCell, kPaletteCellCount> cells{};

  PaletteCell& At(PaletteSlot slot) { return cells[IndexOf(slot)]; }
  const PaletteCell& At(PaletteSlot slot) const { return cells[IndexOf(slot)]; }
  static std::size_t IndexOf(PaletteSlot slot) {
    return static_cast<std::size_t>(slot.row * kPaletteColumns + slot.column);
  }

  bool operator==(const Palette&) const = default;
};

// Every cell white, in its slot: column c, row r spans x 1 + 25c .. 1 + 25(c + 1)
// and y 1 + 25r .. 1 + 25(r + 1).
Palette DefaultPalette();

// The grid slot under a point of the palette control, or nothing when the
// point lies beyond the 13 x 10 slots.
std::optional<PaletteSlot> SlotAt(int x, int y);

// The box a cell is drawn in: from (left + 3, top + 3) to (right, bottom),
// right and bottom excluded, corners put in order. The values come from a
// file, so they are clamped to a little around the palette bitmap and never
// overflow.
struct PaletteBox {
  int left = 0;
  int top = 0;
  int right = 0;   // excluded
  int bottom = 0;  // excluded

  bool empty() const { return right <= left || bottom <= top; }
};
PaletteBox CellBox(const PaletteCell& cell);

// Reading takes any bytes: each whole record goes to the cell its column
// and row name (a later record wins); records naming a place outside the
// grid, and a trailing partial record, are ignored. Cells no record names
// hold zero geometry and colour 0.
Palette ReadPalette(std::string_view bytes);

// The 130 records in row order. Each record carries its cell's own column
// and row, so the file reads back into the same places.
std::string WritePalette(const Palette& palette);

// The file: a missing or unreadable file gives the default palette.
Palette LoadPaletteFile(const std::string& path);
// Written safely: the old file stays whole when the write fails.
FileError SavePaletteFile(const Palette& palette, const std::string& path);
// Failures (a missing file) are of no interest to the caller.
void DeletePaletteFile(const std::string& path);
