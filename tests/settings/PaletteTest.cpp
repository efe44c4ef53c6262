#include "viewer/settings/Palette.h"

#include "platform/SafeWrite.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string Record(std::int32_t left, std::int32_t right, std::int32_t top, std::int32_t bottom, std::int16_t column,
                   std::int16_t row, std::int32_t colour) {
  Palette one;
  one.cells[0] = {left, right, top, bottom, column, row, colour};
  std::string bytes = WritePalette(one).substr(0, kPaletteRecordSize);
  // WritePalette stamps the cell's own place; put the record's own back.
  bytes[16] = static_cast<char>(column & 0xFF);
  bytes[17] = static_cast<char>((column >> 8) & 0xFF);
  bytes[18] = static_cast<char>(row & 0xFF);
  bytes[19] = static_cast<char>((row >> 8) & 0xFF);
  return bytes;
}

// A palette whose cell colours are all different, to see where each went.
Palette NumberedPalette() {
  Palette palette = DefaultPalette();
  for (std::size_t i = 0; i < palette.cells.size(); ++i) palette.cells[i].colour = static_cast<std::int32_t>(i + 1);
  return palette;
}

bool NamedByNoRecord(const PaletteCell& cell, int column, int row) {
  return cell == PaletteCell{0, 0, 0, 0, static_cast<std::int16_t>(column), static_cast<std::int16_t>(row), 0};
}

TEST(Palette, DefaultFileIsRowOrderOf24ByteRecords) {
  const std::string bytes = WritePalette(DefaultPalette());
  ASSERT_EQ(bytes.size(), 3120u);
  const std::string first = Record(1, 26, 1, 26, 0, 0, 16777215);
  EXPECT_EQ(bytes.substr(0, 24), first);
  EXPECT_EQ(bytes.substr(14 * 24, 24), Record(26, 51, 26, 51, 1, 1, 16777215)) << "record 15: column 1 of row 1";
  EXPECT_EQ(bytes.substr(129 * 24, 24), Record(301, 326, 226, 251, 12, 9, 16777215));
  EXPECT_EQ(ReadPalette(bytes), DefaultPalette());
}

TEST(Palette, FilesOfAnyLengthKeepTheCellsTheirRecordsName) {
  const std::string full = WritePalette(NumberedPalette());
  struct Case {
    std::size_t size;
    int wholeRecords;
  };
  const Case cases[] = {{0, 0}, {23, 0}, {24, 1}, {25, 1}, {3119, 129}, {3120, 130}, {3121, 130}};
  for (const Case& c : cases) {
    const std::string bytes = (full + std::string(24, '\x7F')).substr(0, c.size);
    const Palette palette = ReadPalette(bytes);
    for (int n = 0; n < kPaletteCellCount; ++n) {
      const int column = n % kPaletteColumns, row = n / kPaletteColumns;
      const PaletteCell& cell = palette.At({column, row});
      if (n < c.wholeRecords) {
        EXPECT_EQ(cell, NumberedPalette().cells[static_cast<std::size_t>(n)]) << c.size;
      } else {
        EXPECT_TRUE(NamedByNoRecord(cell, column, row)) << c.size << " cell " << n;
      }
    }
  }
}

TEST(Palette, RecordsArePlacedByTheirOwnColumnAndRow) {
  struct Case {
    const char* name;
    int column, row;
    bool kept;
  };
  const Case cases[] = {
      {"last cell", 12, 9, true}, {"first cell", 0, 0, true},  {"column 13", 13, 0, false},
      {"row 10", 0, 10, false},   {"column 51", 51, 2, false}, {"row -1", 3, -1, false},
      {"column -1", -1, 3, false}, {"column 32767", 32767, 1, false}, {"row 32767", 1, 32767, false},
  };
  for (const Case& c : cases) {
    const std::string bytes = Record(7, 8, 9, 10, static_cast<std::int16_t>(c.column), static_cast<std::int16_t>(c.row),
                                     0x123456);
    const Palette palette = ReadPalette(bytes);
    int coloured = 0;
    for (const PaletteCell& cell : palette.cells) coloured += cell.colour == 0x123456;
    EXPECT_EQ(coloured, c.kept ? 1 : 0) << c.name;
    if (c.kept) {
      EXPECT_EQ(palette.At({c.column, c.row}).left, 7) << "geometry taken as it is";
    }
  }
  // The later of two records naming one cell wins.
  const Palette twice = ReadPalette(Record(1, 2, 3, 4, 5, 5, 10) + Record(1, 2, 3, 4, 5, 5, 20));
  EXPECT_EQ(twice.At({5, 5}).colour, 20);
}

// A short file leaves cells without records; saving it must not make
// those cells overwrite cell (0, 0) when the file is read again.
TEST(Palette, ASavedShortFileReadsBackTheSame) {
  const Palette shortOne = ReadPalette(WritePalette(NumberedPalette()).substr(0, 24 * 100));
  EXPECT_EQ(ReadPalette(WritePalette(shortOne)), shortOne);
  EXPECT_EQ(ReadPalette(WritePalette(shortOne)).At({0, 0}).colour, 1);
}

TEST(Palette, CellBoxesStayInOrderAndInRange) {
  struct Case {
    PaletteCell cell;
    PaletteBox box;
  };
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
}

TEST(Palette, SlotsUnderTheMouse) {
  struct Case {
    int x, y;
    int column, row;  // -1: none
  };
  const Case cases[] = {{0, 0, 0, 0},     {24, 24, 0, 0},     {25, 0, 1, 0},    {324, 249, 12, 9},
                        {325, 10, -1, -1}, {330, 10, -1, -1}, {10, 250, -1, -1}, {-1, 5, -1, -1}};
  for (const Case& c : cases) {
    const auto slot = SlotAt(c.x, c.y);
    EXPECT_EQ(slot.has_value(), c.column >= 0) << c.x << "," << c.y;
    if (slot) {
      EXPECT_EQ(std::tie(slot->column, slot->row), std::tie(c.column, c.row));
    }
  }
}

TEST(Palette, FileRoundTripAndFailedWrites) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  EXPECT_EQ(LoadPaletteFile(path), DefaultPalette()) << "missing file";
  ASSERT_FALSE(SavePaletteFile(NumberedPalette(), path).failed());
  EXPECT_EQ(LoadPaletteFile(path), NumberedPalette());

  SetWriteFailureAfterBytes(0);
  const FileError error = SavePaletteFile(DefaultPalette(), path);
  SetWriteFailureAfterBytes(-1);
  EXPECT_TRUE(error.failed());
  EXPECT_EQ(LoadPaletteFile(path), NumberedPalette()) << "the old file stays whole";

  DeletePaletteFile(path);
  EXPECT_FALSE(std::filesystem::exists(path));
  DeletePaletteFile(path);  // a missing file is no trouble
}

}  // namespace
