#include "viewer/settings/Palette.h"

#include "platform/FileIo.h"
#include "platform/SafeWrite.h"
#include "viewer/document/LittleEndian.h"

#include <algorithm>
#include <cstdio>

namespace {

// How far beyond the palette bitmap (336 x 312) a box may reach; anything
// further is drawn nowhere anyway.
constexpr long long kBoxLow = -64;
constexpr long long kBoxHigh = 512;

int ClampedCoordinate(long long value) { return static_cast<int>(std::clamp(value, kBoxLow, kBoxHigh)); }

const std::uint8_t* BytesAt(std::string_view bytes, std::size_t offset) {
  return reinterpret_cast<const std::uint8_t*>(bytes.data() + offset);
}

PaletteCell DecodeRecord(std::string_view record) {
  PaletteCell cell;
  cell.left = LoadInt32(BytesAt(record, 0));
  cell.right = LoadInt32(BytesAt(record, 4));
  cell.top = LoadInt32(BytesAt(record, 8));
  cell.bottom = LoadInt32(BytesAt(record, 12));
  cell.column = LoadInt16(BytesAt(record, 16));
  cell.row = LoadInt16(BytesAt(record, 18));
  cell.colour = LoadInt32(BytesAt(record, 20));
  return cell;
}

std::array<std::uint8_t, kPaletteRecordSize> EncodeRecord(const PaletteCell& cell, PaletteSlot slot) {
  std::array<std::uint8_t, kPaletteRecordSize> record{};
  StoreInt32(&record[0], cell.left);
  StoreInt32(&record[4], cell.right);
  StoreInt32(&record[8], cell.top);
  StoreInt32(&record[12], cell.bottom);
  StoreInt16(&record[16], static_cast<std::int16_t>(slot.column));
  StoreInt16(&record[18], static_cast<std::int16_t>(slot.row));
  StoreInt32(&record[20], cell.colour);
  return record;
}

bool InGrid(int column, int row) { return column >= 0 && column < kPaletteColumns && row >= 0 && row < kPaletteRows; }

// Zero geometry and colour, but each cell knows its own place.
Palette EmptyPalette() {
  Palette palette;
  for (int row = 0; row < kPaletteRows; ++row) {
    for (int column = 0; column < kPaletteColumns; ++column) {
      PaletteCell& cell = palette.At({column, row});
      cell.column = static_cast<std::int16_t>(column);
      cell.row = static_cast<std::int16_t>(row);
    }
  }
  return palette;
}

}  // namespace

Palette DefaultPalette() {
  Palette palette = EmptyPalette();
  for (PaletteCell& cell : palette.cells) {
    cell.left = kPaletteOrigin + kPaletteSlot * cell.column;
    cell.right = cell.left + kPaletteSlot;
    cell.top = kPaletteOrigin + kPaletteSlot * cell.row;
    cell.bottom = cell.top + kPaletteSlot;
    cell.colour = static_cast<std::int32_t>(kPaletteWhite);
  }
  return palette;
}

std::optional<PaletteSlot> SlotAt(int x, int y) {
  if (x < 0 || y < 0) return std::nullopt;
  const PaletteSlot slot{x / kPaletteSlot, y / kPaletteSlot};
  if (!InGrid(slot.column, slot.row)) return std::nullopt;
  return slot;
}

PaletteBox CellBox(const PaletteCell& cell) {
  const long long x1 = static_cast<long long>(cell.left) + kPaletteCellInset;
  const long long y1 = static_cast<long long>(cell.top) + kPaletteCellInset;
  const long long x2 = cell.right;
  const long long y2 = cell.bottom;
  return {ClampedCoordinate(std::min(x1, x2)), ClampedCoordinate(std::min(y1, y2)),
          ClampedCoordinate(std::max(x1, x2)), ClampedCoordinate(std::max(y1, y2))};
}

Palette ReadPalette(std::string_view bytes) {
  Palette palette = EmptyPalette();
  const std::size_t records = bytes.size() / kPaletteRecordSize;
  for (std::size_t n = 0; n < records; ++n) {
    const PaletteCell cell = DecodeRecord(bytes.substr(n * kPaletteRecordSize, kPaletteRecordSize));
    if (InGrid(cell.column, cell.row)) palette.At({cell.column, cell.row}) = cell;
  }
  return palette;
}

std::string WritePalette(const Palette& palette) {
  std::string out;
  out.reserve(kPaletteFileSize);
  for (int row = 0; row < kPaletteRows; ++row) {
    for (int column = 0; column < kPaletteColumns; ++column) {
      const auto record = EncodeRecord(palette.At({column, row}), {column, row});
      out.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
  }
  return out;
}

Palette LoadPaletteFile(const std::string& path) {
  std::string bytes;
  if (!FileExists(path) || ReadWholeFile(path, bytes, kMaxTextFileBytes).failed()) return DefaultPalette();
  return ReadPalette(bytes);
}

FileError SavePaletteFile(const Palette& palette, const std::string& path) {
  return WriteFileSafely(path, WritePalette(palette));
}

void DeletePaletteFile(const std::string& path) {
  if (FileExists(path)) std::remove(path.c_str());
}
