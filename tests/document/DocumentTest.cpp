#include "viewer/document/Document.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Reading any slot is safe; only slots on the 200 x 65 grid can be used.
TEST(Document, SlotsNotInUseReadAsZeroFilledRecordsAndClearingEmptiesThem) {
  Document document;
  document.UseLine(3, 10).text = "used";
  const Document& view = document;
  struct Case { int page, line; bool onTheGrid; };
  for (const Case& c : {Case{3, 11, true}, {1, 1, true}, {200, 65, true}, {0, 1, false}, {201, 1, false},
                        {1, 0, false}, {1, 66, false}, {-7, -7, false}}) {
    EXPECT_EQ(view.Line(c.page, c.line), LineRecord{}) << c.page << "," << c.line;
    EXPECT_EQ(view.Box(c.page, c.line), LineBox{});
    if (!c.onTheGrid) {
      EXPECT_THROW(document.UseLine(c.page, c.line), std::out_of_range) << c.page << "," << c.line;
      EXPECT_THROW(document.Box(c.page, c.line), std::out_of_range);
    }
  }
  EXPECT_EQ(view.Line(3, 10).text, "used");
  // Clearing empties the grid but keeps the state.
  document.Box(200, 65).savedBytes.fill(1);
  document.PageCount = 200;
  document.ClearLines();
  EXPECT_FALSE(document.Line(3, 10).IsInUse());
  EXPECT_EQ(document.Box(200, 65), LineBox{});
  EXPECT_EQ(document.PageCount, 200);
}

TEST(PageGeometry, CellBoxesFollowTheEightPixelGrid) {
  constexpr ColumnTable table = BuildColumnTable();
  EXPECT_EQ(table.front(), (ColumnBox{0, 0, 8, 16}));
  EXPECT_EQ(table[kFirstTextColumn - 1], (ColumnBox{24, 0, 32, 16}));
  EXPECT_EQ(table.back(), (ColumnBox{904, 0, 912, 16}));
}

}  // namespace
