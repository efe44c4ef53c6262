#include "CanvasFixture.h"

#include "resources/Artwork.h"
#include "viewer/canvas/CellText.h"

namespace {

using PageRendererTest = CanvasFixture;

TEST_F(PageRendererTest, PlacesLinesByTheirAlignmentAndComposesTheViewAtTheOffset) {
  SetLine(5, "Left");
  SetLine(2, std::string(93, 'M'), "AL2");
  SetLine(3, "abc", "AL3");
  SetLine(4, "mid", "AL2");
  const QImage& page = Render();
  // A centred line of 93 fills columns 4 to 96; "mid" starts at (96 - 3) div 2 + 3 = 49.
  const std::tuple<int, int, bool> inked[] = {{5, 4, true},  {5, 3, false},  {2, 4, true},
                                              {2, 96, true}, {3, 96, true},  {3, 97, false},
                                              {3, 93, false}, {4, 49, true}, {4, 48, false}};
  for (const auto& [line, column, ink] : inked) {
    EXPECT_EQ(HasInk(page, Cells(line, column)), ink) << line << "," << column;
  }
  state.view.y = -32;
  renderer.Recompose();
  EXPECT_TRUE(HasInk(state.ViewBuffer, Cells(1, 96))) << "the view scrolled by two lines: line 3 on top";
  EXPECT_FALSE(HasInk(state.ViewBuffer, Cells(1, 4)));
  EXPECT_EQ(state.ViewBuffer.size(), QSize(794, 955));
}

// Marks never show on a centred or right-aligned line (lines 8 and 9); the bar runs from line 3 to 7.
TEST_F(PageRendererTest, DrawsUnderlinesAndBarsOnTheGrid) {
  const std::pair<int, const char*> lines[] = {{5, ""}, {8, "AL2"}, {9, "AL3"}};
  for (const auto& [number, tag] : lines) {
    LineRecord& line = SetLine(number, "some text to underline here", tag);
    line.hasMarks = 1;
    line.horizontalMarks = std::to_string(number) + ",9,14;";
  }
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
  for (int y = 116; y < 160; ++y) {
    for (int x = 0; x < page.width(); ++x) ASSERT_NE(page.pixel(x, y), kRed) << x << "," << y;
  }
}

// Only a bullet's symbol shows, boxed from (32, y0 + 6); an icon covers its marker, without its magenta.
TEST_F(PageRendererTest, BulletsShowOnlyTheirSymbolAndIconsNoMagenta) {
  struct Case { const char* name; QRect box; QPoint inked; };  // the box from (X, Y), a point of the symbol
  const Case cases[] = {
      {"square", QRect(0, 0, 8, 8), QPoint(3, 3)}, {"disc", QRect(0, 0, 6, 6), QPoint(2, 2)},
      {"diamond", QRect(0, -4, 9, 9), QPoint(4, -3)}, {"triangle", QRect(0, -4, 8, 9), QPoint(1, 0)},
  };
  for (int k = 1; k <= 4; ++k) SetLine(k + 1, "\\$" + std::to_string(k) + " item");
  SetLine(6, "\\#07 and \\#7 and \\#00");
  const QImage& page = Render();
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
  EXPECT_FALSE(HasInk(page, Cells(6, 4))) << "the marker's backslash is covered";
  EXPECT_FALSE(HasInk(page, QRect(50, 80, 6, 16))) << "so is what the icon leaves of its last digit";
}

// Text and grounds stay in rows 64..79 of line 5; a two-colour piece keeps the colours it was made with.
TEST_F(PageRendererTest, TextAndItsGroundsStayInTheirCell) {
  // The ground of column 4 at row y0 and a colour some letter of columns 4..8 takes (0: not checked).
  const std::tuple<const char*, std::string LineRecord::*, const char*, QRgb, QRgb> cases[] = {
      {"plain text", nullptr, "", kWhite, kBlack},
      {"two colours", &LineRecord::twoColourPieces, "5,4,12,65280,16711680;", 0xFF00FF00, 0xFF0000FF},
      {"link", &LineRecord::linkPieces, "5,4,12,1E1;", kWhite, 0},
      {"bold", &LineRecord::boldPieces, "5,4,12;", kWhite, kBlack},
  };
  state.settings.colours.twoColourBackground = 255;
  state.settings.colours.twoColourText = 0;
  for (const auto& [name, list, entry, ground, ink] : cases) {
    state.document.UseLine(1, 5) = LineRecord{};
    LineRecord& line = SetLine(5, "gjpqy gjpqy gjpqy");
    line.hasMarks = line.hasLinks = line.hasBold = list ? 1 : 0;
    if (list) line.*list = entry;
    const QImage& page = Render();
    EXPECT_TRUE(HasInk(page, Cells(5, 4, 20))) << name;
    EXPECT_FALSE(HasInk(page, QRect(1, 79, 792, 17))) << name;
    EXPECT_EQ(page.pixel(25, 64), ground) << name;
    bool letters = !ink;
    for (int x = 24; x < 64; ++x) letters = letters || page.pixel(x, 70) == ink;
    EXPECT_TRUE(letters) << name;
  }
}

// Border and footers come with the guide or from DrawFooters; footers on lines 66-67, the number on 68.
TEST_F(PageRendererTest, BorderFootersAndThePageNumberSitOnTheirRows) {
  auto& s = state.settings;
  SetLine(1, "x");
  s.footers[0] = {1, 131, 10, 0, 0, 0, "first footer"};
  state.guide.GuideLine = 1;
  for (const int guide : {kGuideOn, 0}) {
    renderer.RenderPage(1, guide);
    const QImage& page = state.pages.PageBitmap(1);
    EXPECT_EQ(page.pixel(0, 500), guide ? kBlack : kWhite) << guide;
    EXPECT_EQ(page.pixel(400, 8), guide ? qRgb(0xC0, 0xC0, 0xC0) : kWhite) << "the band on line 1, " << guide;
    EXPECT_EQ(HasInk(page, QRect(24, 1040, 200, 16)), guide != 0) << guide;
  }
  QImage& plain = state.pages.PageBitmap(1);
  renderer.DrawFooters(plain, 0);
  EXPECT_EQ(plain.pixel(0, 500), kWhite);
  EXPECT_TRUE(HasInk(plain, QRect(24, 1040, 200, 16)));
  s.footers[1] = {1, 131, 10, 1, 1, 1, "second footer"};
  s.pageNumber = {1, 131, 10, 0, 1, 1};
  state.document.CurrentPage = 1;
  const QImage& page = Render();
  EXPECT_EQ(page.pixel(0, 500), kBlack);
  EXPECT_EQ(page.pixel(793, 1121), kBlack);
  for (const int top : {1040, 1056, 1072}) EXPECT_TRUE(HasInk(page, QRect(24, top, 200, 16))) << top;
  EXPECT_FALSE(HasInk(page, QRect(1, 1088, 792, 30)));
  EXPECT_TRUE(HasInk(page, QRect(24, 1072, 3, 16)) && !HasInk(page, QRect(1, 1072, 23, 16))) << "left";
  s.pageNumber.alignment = 132;
  const QImage& right = Render();
  EXPECT_TRUE(HasInk(right, QRect(762, 1072, 4, 16)) && !HasInk(right, QRect(766, 1072, 27, 16))) << "right";
  std::string footer;  // a long footer wraps at a blank onto the next line
  for (int i = 0; i < 10; ++i) footer += (i ? " " : "") + std::string(9, 'a' + i);
  s.footers[0] = {1, 131, 12, 0, 0, 0, footer};
  s.footers[1].enabled = s.pageNumber.enabled = 0;
  EXPECT_TRUE(HasInk(Render(), QRect(1, 1040 + 18, 792, 14))) << "second line one text line lower";
}

// A guided line's band takes a new outline at each render; a bullet below covers its marker, not the band.
TEST_F(PageRendererTest, GuideBandTakesANewOutlineEachRenderAndSurvivesABulletBelow) {
  SetLine(10, "guided line");
  SetLine(11, "\\$1 item");
  state.guide.GuideState = kGuideOn;
  state.guide.GuideLine = 10;
  const QRgb first = Render().pixel(400, 144);
  const QRgb second = Render().pixel(400, 144);
  const QRgb third = Render().pixel(400, 144);
  EXPECT_NE(first, kWhite);
  EXPECT_TRUE(first != second || second != third);
  const QImage& page = Render();
  EXPECT_TRUE(HasInk(page, Cells(10, 4))) << "text printed over the band";
  for (const int y : {159, 160}) EXPECT_NE(page.pixel(30, y), kWhite) << "the band's lower edge on row " << y;
}

// Points at 96 pixels per inch; no size (0 or less) is 10 points; a huge size stops at 400 pixels.
TEST(PagePixelSize, PointsBecomePixelsOfTheScreen) {
  const std::pair<int, int> rows[] = {{9, 12}, {0, 13}, {-4, 13}, {300, 400}, {32767, 400}};
  for (const auto& [points, pixels] : rows) EXPECT_EQ(PagePixelSize(points), pixels) << points;
}

}  // namespace
