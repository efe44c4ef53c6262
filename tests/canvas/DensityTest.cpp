#include "CanvasFixture.h"

#include "viewer/canvas/MarkCommands.h"

#include <cmath>

namespace {

using PageDensity = CanvasFixture;

// The box, in page pixels, of the pixels of exactly `colour` (of any ink but white when `colour` is 0) in
// rows top..bottom of the page.
QRectF BoxOf(const QImage& picture, QRgb colour, int top, int bottom) {
  const double ratio = picture.devicePixelRatio();
  QRect box;
  for (int y = static_cast<int>(top * ratio); y < std::min(picture.height(), static_cast<int>(bottom * ratio)); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      if (colour ? pixel == colour : pixel != kWhite) box |= QRect(x, y, 1, 1);
    }
  }
  return QRectF(box.x() / ratio, box.y() / ratio, box.width() / ratio, box.height() / ratio);
}

// Each kind of mark on a screen of ratio 1.25, 1.5 and 2 lies where it lies at 1, within a pixel of the page.
TEST_F(PageDensity, EveryMarkLiesWhereItLiesAtOnePixelAPixel) {
  auto& colours = state.settings.colours;
  colours.horizontal = 0x00C000;  // green
  colours.vertical = 0xC00000;    // blue
  colours.links = 0x0000FF;       // red
  LineRecord& underlined = SetLine(5, "a line underlined in part");
  underlined.horizontalMarks = "5,9,14;";
  LineRecord& barred = SetLine(10, "a bar from here down");
  barred.verticalMarks = "10,14;";
  LineRecord& twoColours = SetLine(20, "a piece in two colours");
  twoColours.twoColourPieces = "20,10,20,16776960,0;";  // cyan ground
  LineRecord& linked = SetLine(25, "a piece linked to a page");
  linked.linkPieces = "25,12,20,1E1;";
  linked.linkTargets = "2,1E1;";
  linked.hasLinks = 1;
  LineRecord& bold = SetLine(30, "a piece in bold");
  bold.boldPieces = "30,6,10;";
  bold.hasBold = 1;
  for (LineRecord* line : {&underlined, &barred, &twoColours, &linked, &bold}) line->hasMarks = 1;
  // The mark's colour and the rows it may reach (a link's below the tops of its letters, which a denser
  // screen draws more finely, down to where an underline that strays would show).
  const std::tuple<const char*, QRgb, int, int> marks[] = {{"underline", 0xFF00C000, 64, 96},
                                                          {"bar", 0xFF0000C0, 140, 250},
                                                          {"two colours", 0xFF00FFFF, 300, 340},
                                                          {"link", kRed, 392, 1100},
                                                          {"bold line", 0, 464, 480}};
  std::vector<QRectF> atOne;
  for (const auto& [name, colour, top, bottom] : marks) atOne.push_back(BoxOf(Render(), colour, top, bottom));
  for (const double ratio : {1.25, 1.5, 2.0}) {
    state.pages.SetPixelRatio(ratio);
    const QImage& page = Render();
    ASSERT_EQ(page.width(), std::lround(794 * ratio));
    for (std::size_t k = 0; k < std::size(marks); ++k) {
      const auto& [name, colour, top, bottom] = marks[k];
      const QRectF box = BoxOf(page, colour, top, bottom);
      ASSERT_FALSE(atOne[k].isEmpty()) << name;
      for (const auto& [edge, one] : {std::pair(box.left(), atOne[k].left()), {box.top(), atOne[k].top()},
                                      {box.right(), atOne[k].right()}, {box.bottom(), atOne[k].bottom()}}) {
        EXPECT_NEAR(edge, one, 1.0) << name << " at " << ratio;
      }
    }
  }
}

// A piece redraws the rows around its line only: the page then has the pixels of a page drawn whole, at one
// pixel a pixel and on a dense screen, on the first and last lines too.
TEST_F(PageDensity, APieceRedrawsItsRowsAsTheWholePageWould) {
  for (int line = 1; line <= 65; ++line) {
    SetLine(line, "words on line " + std::to_string(line) + " gjpqy").verticalMarks = line == 30 ? "30,34;" : "";
  }
  state.document.UseLine(1, 30).hasMarks = 1;
  const PieceKind kinds[] = {PieceKind::Underline, PieceKind::TwoColours, PieceKind::Bold};
  for (const double ratio : {1.0, 2.0}) {
    state.pages.SetPixelRatio(ratio);
    for (const int line : {1, 31, 65}) {
      for (const PieceKind kind : kinds) {
        Render();
        const PieceSelection piece{line, 5, 12};
        MarkPiece(state.document, piece, kind, state.settings.colours);
        renderer.RefreshLines(line, line);
        const QImage part = state.pages.PageBitmap(1).copy();
        EXPECT_EQ(part, Render()) << "line " << line << " at " << ratio;
      }
    }
  }
}

}  // namespace
