#include "viewer/settings/Palette.h"

#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The little-endian bytes of `value`, `width` bytes wide.
std::string Le(std::int64_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// One 24-byte record: left, right, top, bottom, column, row, colour.
std::string Record(int left, int right, int top, int bottom, int column, int row, std::int64_t colour) {
  return Le(left, 4) + Le(right, 4) + Le(top, 4) + Le(bottom, 4) + Le(column, 2) + Le(row, 2) + Le(colour, 4);
}

// 130 records in row order; record n carries n..n + 3 as its geometry and n + 1 as its colour, to trace each.
std::string NumberedFile() {
  std::string file;
  for (int n = 0; n < 130; ++n) file += Record(n, n + 1, n + 2, n + 3, n % 13, n / 13, n + 1);
  return file;
}

TEST(Palette, DefaultFileIsRowOrderOf24ByteRecords) {
  const std::string bytes = WritePalette(DefaultPalette());
  ASSERT_EQ(bytes.size(), 3120u);
  EXPECT_EQ(bytes.substr(0, 24),
            std::string("\x01\0\0\0\x1A\0\0\0\x01\0\0\0\x1A\0\0\0\0\0\0\0\xFF\xFF\xFF\0", 24));
  EXPECT_EQ(bytes.substr(14 * 24, 24), Record(26, 51, 26, 51, 1, 1, 16777215))
      << "record 15: column 1 of row 1";
  EXPECT_EQ(bytes.substr(129 * 24, 24), Record(301, 326, 226, 251, 12, 9, 16777215));
  EXPECT_EQ(ReadPalette(bytes), DefaultPalette());
}

TEST(Palette, FilesOfAnyLengthKeepTheCellsTheirRecordsName) {
  for (const auto& [size, wholeRecords] : {std::pair{23ul, 0}, {24ul, 1}, {3119ul, 129}, {3121ul, 130}}) {
    const Palette palette = ReadPalette((NumberedFile() + std::string(24, '\x7F')).substr(0, size));
    for (int n = 0; n < kPaletteCellCount; ++n) {
      const auto column = static_cast<std::int16_t>(n % 13), row = static_cast<std::int16_t>(n / 13);
      const PaletteCell named{n, n + 1, n + 2, n + 3, column, row, n + 1};
      const PaletteCell unnamed{0, 0, 0, 0, column, row, 0};
      EXPECT_EQ(palette.At({n % 13, n / 13}), n < wholeRecords ? named : unnamed) << size << " " << n;
    }
  }
}

TEST(Palette, RecordsArePlacedByTheirOwnColumnAndRow) {
  const std::tuple<int, int, bool> cases[] = {{12, 9, true},  {0, 0, true},  {13, 0, false},
                                              {0, 10, false}, {3, -1, false}, {-1, 3, false}};
  for (const auto& [column, row, kept] : cases) {
    const Palette palette = ReadPalette(Record(7, 8, 9, 10, column, row, 0x123456));
    int coloured = 0;
    for (const PaletteCell& cell : palette.cells) coloured += cell.colour == 0x123456;
    EXPECT_EQ(coloured, kept ? 1 : 0) << column << "," << row;
    if (kept) {
      EXPECT_EQ(palette.At({column, row}).left, 7) << "geometry taken as it is";
    }
  }
  // The later of two records naming one cell wins.
  EXPECT_EQ(ReadPalette(Record(1, 2, 3, 4, 5, 5, 10) + Record(1, 2, 3, 4, 5, 5, 20)).At({5, 5}).colour, 20);
}

TEST(Palette, CellBoxesStayInOrderAndInRangeAndSlotsLieUnderTheMouse) {
  struct Case { PaletteCell cell; PaletteBox box; };
  const Case cases[] = {
      {DefaultPalette().At({0, 0}), {4, 4, 26, 26}},
      {DefaultPalette().At({12, 9}), {304, 229, 326, 251}},
      {{}, {0, 0, 3, 3}},  // zero geometry: the corners swap
      {{INT_MAX, INT_MIN, INT_MAX, INT_MIN, 0, 0, 0}, {-64, -64, 512, 512}},
      {{INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0, 0}, {-64, -64, 512, 512}},
  };
  for (const Case& c : cases) {
    const PaletteBox box = CellBox(c.cell);
    EXPECT_EQ(std::tie(box.left, box.top, box.right, box.bottom),
              std::tie(c.box.left, c.box.top, c.box.right, c.box.bottom));
  }
  // The slots under the mouse: x, y, and the column and row of the slot there (-1: none).
  const std::array<int, 4> slots[] = {{0, 0, 0, 0}, {24, 24, 0, 0}, {25, 0, 1, 0}, {324, 249, 12, 9},
                                      {325, 10, -1, -1}, {10, 250, -1, -1}, {-1, 5, -1, -1}};
  for (const auto& [x, y, column, row] : slots) {
    const auto slot = SlotAt(x, y);
    const auto found = slot ? std::pair<int, int>(slot->column, slot->row) : std::pair(-1, -1);
    EXPECT_EQ(found, std::pair(column, row)) << x << "," << y;
  }
}

TEST(Palette, FileRoundTrip) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  EXPECT_EQ(LoadPaletteFile(path), DefaultPalette()) << "missing file";
  WriteFileBytes(path, NumberedFile());
  ASSERT_FALSE(SavePaletteFile(LoadPaletteFile(path), path).failed());
  EXPECT_EQ(ReadFileBytes(path), NumberedFile());
  // A short file leaves cells without records; saved, they must not overwrite cell (0, 0) when read again.
  WriteFileBytes(path, NumberedFile().substr(0, 24 * 100));
  const Palette shortOne = LoadPaletteFile(path);
  ASSERT_FALSE(SavePaletteFile(shortOne, path).failed());
  EXPECT_EQ(LoadPaletteFile(path), shortOne);
  DeletePaletteFile(path);
  EXPECT_FALSE(std::filesystem::exists(path));
  DeletePaletteFile(path);  // a missing file is no trouble
}

}  // namespace
