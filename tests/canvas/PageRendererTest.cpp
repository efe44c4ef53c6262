#include "CanvasFixture.h"

#include "resources/Artwork.h"

namespace {

using PageRendererTest = CanvasFixture;

TEST_F(PageRendererTest, PlacesLinesByTheirAlignment) {
  SetLine(5, "Left");
  SetLine(2, std::string(93, 'M'), "AL2");
  SetLine(3, "abc", "AL3");
  SetLine(4, "mid", "AL2");
  const QImage& page = Render();
  // A centred line of 93 fills columns 4 to 96; "mid" starts at (96 - 3) div 2 + 3 = 49.
  const std::tuple<int, int, bool> inked[] = {{5, 4, true},  {5, 3, false},  {2, 4, true},  {2, 96, true}, {3, 96, true},
                                              {3, 97, false}, {3, 93, false}, {4, 49, true}, {4, 48, false}};
  for (const auto& [line, column, ink] : inked) EXPECT_EQ(HasInk(page, Cells(line, column)), ink) << line << "," << column;
}

TEST_F(PageRendererTest, DrawsUnderlinesAndBarsOnTheGrid) {
  LineRecord& five = SetLine(5, "some text to underline here");
  five.hasMarks = 1;
  five.horizontalMarks = "5,9,14;";
  LineRecord& three = SetLine(3, "bar top");
  three.hasMarks = 1;
  three.verticalMarks = "3,7;";
  const QImage& page = Render();
  for (const int x : {72, 90, 111}) EXPECT_EQ(page.pixel(x, 80), kRed) << x;
  EXPECT_NE(page.pixel(70, 80), kRed);
  EXPECT_NE(page.pixel(114, 80), kRed);
  for (const int y : {31, 60, 111}) EXPECT_EQ(page.pixel(20, y), kRed) << y;
  EXPECT_NE(page.pixel(20, 29), kRed);
  EXPECT_NE(page.pixel(20, 114), kRed);
  EXPECT_EQ(page.pixel(28, 32), kRed) << "top tick";
  EXPECT_EQ(page.pixel(28, 112), kRed) << "bottom tick";
}

TEST_F(PageRendererTest, MarksNeverShowOnCentredOrRightLines) {
  for (const char* tag : {"AL2", "AL3"}) {
    LineRecord& line = SetLine(5, "centred with marks", tag);
    line.hasMarks = 1;
    line.horizontalMarks = "5,9,14;";
    EXPECT_NE(Render().pixel(80, 80), kRed) << tag;
  }
}

// Of a bullet's three marker cells only its symbol shows: no stroke of
// "\$k" outside the symbol's box, at X = 32 (column 5), Y = y0 + 6.
TEST_F(PageRendererTest, EachBulletShowsOnlyItsSymbol) {
  struct Case {
    const char* name;
    QRect box;    // the symbol's box, relative to (X, Y)
    QPoint inked; // a point of the symbol
  };
  const Case cases[] = {
      {"square", QRect(0, 0, 8, 8), QPoint(3, 3)},
      {"disc", QRect(0, 0, 6, 6), QPoint(2, 2)},
      {"diamond", QRect(0, -4, 9, 9), QPoint(4, -3)},
      {"triangle", QRect(0, -4, 8, 9), QPoint(1, 0)},
  };
  for (int k = 1; k <= 4; ++k) SetLine(k + 1, "\\$" + std::to_string(k) + " item");
  SetLine(6, "\\$5 item");
  const QImage& page = Render();
  EXPECT_TRUE(HasInk(page, Cells(6, 4, 6))) << "the marker with digit 5 stays text";
  for (int k = 1; k <= 4; ++k) {
    const Case& c = cases[k - 1];
    const QPoint symbol(32, k * 16 + 6);
    EXPECT_EQ(page.pixel(symbol + c.inked), kBlack) << c.name;
    const QRect cells = Cells(k + 1, 4, 6), box = c.box.translated(symbol);
    for (int y = cells.top(); y <= cells.bottom(); ++y) {
      for (int x = cells.left(); x <= cells.right(); ++x) {
        if (!box.contains(x, y)) {
          ASSERT_EQ(page.pixel(x, y), kWhite) << c.name << " " << x << "," << y;
        }
      }
    }
  }
  EXPECT_EQ(page.pixel(32 + 6, 64 + 6 - 3), kWhite) << "the triangle points right";
}

// A line's text, its font underline and its grounds lie in its own cell,
// rows y0 .. y0 + 15 (64..79 for line 5), clear of the underline on y1 = 80
// and of line 6; a ground starts at the cell's top row.
TEST_F(PageRendererTest, TextAndItsGroundsStayInTheirCell) {
  struct Case {
    const char* name;
    std::string LineRecord::*list;
    const char* entry;
    QRgb ground;  // of the cell of column 4 at row y0, white for none
  };
  const Case cases[] = {
      {"plain text", nullptr, "", kWhite},
      {"two colours", &LineRecord::twoColourPieces, "5,4,12,65280,16711680;", qRgb(0, 255, 0)},
      {"link", &LineRecord::linkPieces, "5,4,12,1E1;", kWhite},
      {"bold", &LineRecord::boldPieces, "5,4,12;", kWhite},
  };
  for (const Case& c : cases) {
    state.document.UseLine(1, 5) = LineRecord{};
    LineRecord& line = SetLine(5, "gjpqy gjpqy gjpqy");
    line.hasMarks = line.hasLinks = line.hasBold = c.list ? 1 : 0;
    if (c.list) line.*c.list = c.entry;
    const QImage& page = Render();
    EXPECT_TRUE(HasInk(page, Cells(5, 4, 20))) << c.name;
    EXPECT_FALSE(HasInk(page, QRect(1, 79, 792, 17))) << c.name;
    EXPECT_EQ(page.pixel(25, 64), c.ground) << c.name;
  }
}
TEST_F(PageRendererTest, IconsAreDrawnWithoutTheirMagenta) {
  SetLine(6, "\\#07 and \\#7 and \\#00");
  const QImage& page = Render();
  const QImage icon = ArtworkImage(7);
  int same = 0;
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 18; ++x) {
      const QRgb pixel = icon.pixel(x, y);
      if ((pixel & 0xFFFFFF) != 0xFF00FF && page.pixel(32 + x, 80 + y) == pixel) ++same;
    }
  }
  EXPECT_GT(same, 30) << "icon 7 at the marker's # column";
  for (int y = 0; y < page.height(); ++y) {
    for (int x = 0; x < page.width(); ++x) ASSERT_NE(page.pixel(x, y) & 0xFFFFFF, 0xFF00FFu) << x << "," << y;
  }
  EXPECT_TRUE(HasInk(page, Cells(6, 13, 15))) << "\\#7 stays text";
  EXPECT_FALSE(HasInk(page, Cells(6, 4))) << "the marker's backslash is covered";
  EXPECT_FALSE(HasInk(page, QRect(50, 80, 6, 16))) << "so is what the icon leaves of its last digit";
}

TEST_F(PageRendererTest, BorderOnlyWhenAsked) {
  SetLine(1, "x");
  renderer.RenderPage(1, 0);
  QImage& page = state.pages.PageBitmap(1);
  renderer.DrawFooters(page, 0);
  EXPECT_EQ(page.pixel(0, 500), kWhite);
  renderer.DrawFooters(page, 1);
  EXPECT_EQ(page.pixel(0, 500), kBlack);
  EXPECT_EQ(page.pixel(793, 1121), kBlack);
}

// The inked columns of the 16 rows from `top`, inside the border.
std::pair<int, int> InkSpan(const QImage& page, int top) {
  int first = page.width(), last = -1;
  for (int y = top; y < top + 16; ++y) {
    for (int x = 1; x < page.width() - 1; ++x) {
      if (page.pixel(x, y) != kWhite) first = std::min(first, x), last = std::max(last, x);
    }
  }
  return {first, last};
}

// Footers on lines 66 and 67, the page number on 68, from column 4; a long
// footer wraps at a blank onto the next line.
TEST_F(PageRendererTest, FootersAndThePageNumberSitOnTheirRows) {
  auto& s = state.settings;
  s.footers[0] = {1, 131, 10, 0, 0, 0, "first footer"};
  s.footers[1] = {1, 131, 10, 1, 1, 1, "second footer"};
  s.pageNumber = {1, 131, 10, 0, 1, 1};
  state.document.CurrentPage = 1;
  const QImage& page = Render();
  for (const int top : {1040, 1056, 1072}) EXPECT_TRUE(HasInk(page, QRect(24, top, 200, 16))) << top;
  EXPECT_FALSE(HasInk(page, QRect(1, 1088, 792, 30)));
  const auto left = InkSpan(page, 1072);
  EXPECT_TRUE(left.first >= 24 && left.first <= 26) << left.first;
  s.pageNumber.alignment = 132;
  const auto right = InkSpan(Render(), 1072);
  EXPECT_TRUE(right.second >= 762 && right.second <= 765) << right.second;
  std::string footer;
  for (int i = 0; i < 10; ++i) footer += (i ? " " : "") + std::string(9, 'a' + i);
  s.footers[0] = {1, 131, 12, 0, 0, 0, footer};
  s.footers[1].enabled = s.pageNumber.enabled = 0;
  EXPECT_TRUE(HasInk(Render(), QRect(1, 1040 + 18, 792, 14))) << "second line one text line lower";
}

TEST_F(PageRendererTest, GuideBandTakesANewOutlineColourEachRender) {
  SetLine(10, "guided line");
  state.guide.GuideState = kGuideOn;
  state.guide.GuideLine = 10;
  const QRgb first = Render().pixel(400, 144);
  const QRgb second = Render().pixel(400, 144);
  const QRgb third = Render().pixel(400, 144);
  EXPECT_NE(first, kWhite);
  EXPECT_TRUE(first != second || second != third);
  EXPECT_EQ(Render().pixel(400, 152), qRgb(0xC0, 0xC0, 0xC0)) << "band fill";
  EXPECT_TRUE(HasInk(Render(), Cells(10, 4))) << "text printed over the band";
}

TEST_F(PageRendererTest, TwoColourPieceKeepsItsOwnColours) {
  LineRecord& line = SetLine(5, "coloured piece of text");
  line.hasMarks = 1;
  line.twoColourPieces = "5,4,8,65280,16711680;";  // green ground, blue letters
  state.settings.colours.twoColourBackground = 255;
  state.settings.colours.twoColourText = 0;
  const QImage& page = Render();
  EXPECT_EQ(page.pixel(24, 68), qRgb(0, 255, 0));
  bool blue = false;
  for (int x = 24; x < 64; ++x) blue = blue || page.pixel(x, 70) == qRgb(0, 0, 255);
  EXPECT_TRUE(blue);
}

TEST_F(PageRendererTest, ComposesTheViewAtTheOffset) {
  SetLine(1, "top line");
  SetLine(2, "x");
  Render();
  state.view.y = -16;
  renderer.Recompose();
  EXPECT_FALSE(HasInk(state.ViewBuffer, Cells(1, 6))) << "scrolled by one line: line 2 on top";
  EXPECT_TRUE(HasInk(state.ViewBuffer, Cells(1, 4)));
  state.view.y = 0;
  renderer.Recompose();
  EXPECT_TRUE(HasInk(state.ViewBuffer, Cells(1, 6)));
  EXPECT_EQ(state.ViewBuffer.size(), QSize(794, 955));
}

}  // namespace
