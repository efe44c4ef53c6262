#include "CanvasFixture.h"
#include "tests/TempFolder.h"

#include <QTemporaryDir>

#include <cmath>

namespace {

using PageStoreTest = CanvasFixture;

// A page dropped from memory comes back as drawn; a dense screen doubles its pixels, not the 794 x 1122 page.
TEST_F(PageStoreTest, APageDroppedFromMemoryComesBackAsItWasDrawnAndDenseAsTheSamePage) {
  state.document.PageCount = 40;
  for (int page = 1; page <= 40; ++page) {
    LineRecord& line = SetLine(5, "underlined text on this page", {}, page);
    line.hasMarks = 1;
    line.horizontalMarks = "5,3,20;";
  }
  renderer.InvalidatePages(0);
  state.document.CurrentPage = 1;
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), kRed);
  state.settings.colours.horizontal = 0xFF0000;  // blue from now on
  renderer.HighlightCell(6, 5);
  const QImage atOne = state.pages.PageBitmap(1).copy();
  for (int page = 1; page <= 40; ++page) state.pages.PageBitmap(page);
  EXPECT_LE(state.pages.KeptPages(), 12u);
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), kRed) << "drawn again with its own colours";
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(41, 64), qRgb(51, 153, 255)) << "and with what the mouse drew";
  state.pages.SetPixelRatio(2);
  const QImage& dense = state.pages.PageBitmap(1);
  EXPECT_EQ(dense.size(), QSize(1588, 2244));
  EXPECT_EQ(dense.pixel(200, 160), kRed) << "the underline of line 5 under (100, 80)";
  EXPECT_EQ(dense.pixel(201, 161), kRed);
  EXPECT_EQ(dense.pixel(83, 129), qRgb(51, 153, 255)) << "the highlight of column 6 on line 5, top row";
  EXPECT_EQ(state.pages.PageAtRatioOne(1), atOne);
  state.pages.SetPixelRatio(1);
  renderer.StandardRefresh();
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), qRgb(0, 0, 255)) << "a refresh takes today's settings";
  EXPECT_NE(state.pages.PageBitmap(1).pixel(41, 64), qRgb(51, 153, 255));
}

// A page drawn again from the look it kept takes that look's colours and guide band; nothing of the
// viewer's state moves meanwhile: a message shown while it draws sees the settings, guide and page of now.
TEST(PageLookTest, APageDrawnAgainTakesItsKeptLookAndLeavesTheViewersStateAlone) {
  InstallTextSet(SpanishTexts());
  ViewerState state;
  struct Seen {
    long long horizontal;
    int guideLine;
    int page;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;
  ScriptedDialogs dialogs{[&](const std::string&) {
    seen.push_back({state.settings.colours.horizontal, state.guide.GuideLine, state.document.CurrentPage});
  }};
  PictureLoader pictures{dialogs};
  PageRenderer renderer{state, pictures, {}};
  state.document.PageCount = 2;
  PutLine(state.document, 2, 1, "/no/such/folder/picture.png").imageLine = 1;  // told of at every drawing
  LineRecord& marked = PutLine(state.document, 2, 5, "underlined text on page 2");
  marked.hasMarks = 1;
  marked.horizontalMarks = "5,3,20;";
  PutLine(state.document, 2, 6, "the guide's line");
  state.guide.GuideState = kGuideOn;
  state.guide.GuideLine = 6;
  state.document.CurrentPage = 1;
  renderer.RenderPage(2, kGuideOn);
  state.settings.colours.horizontal = 0xFF0000;  // blue from now on
  state.guide.GuideLine = 9;
  seen.clear();
  state.pages.SetPixelRatio(2);  // the kept picture goes: page 2 is drawn again from its look
  const QImage again = state.pages.PageAtRatioOne(2);
  EXPECT_EQ(again.pixel(40, 80), kRed) << "the underline in the colour it had";
  EXPECT_EQ(again.pixel(600, 88), qRgb(0xC0, 0xC0, 0xC0)) << "the band on line 6";
  EXPECT_EQ(again.pixel(600, 136), kWhite) << "none on line 9";
  EXPECT_EQ(seen, (std::vector<Seen>{{0xFF0000, 9, 1}}));
  EXPECT_EQ(state.document.CurrentPage, 1);
}

// Pictures stay within the bytes 12 pages take at one pixel a pixel (794 x 1122, 4 bytes a pixel), spares
// included, whatever the screen's ratio; a page and its two neighbours are kept whatever they take.
TEST(PageStoreBudgetTest, KeepsWhatFitsTheBytesOfTwelvePagesAtAnyRatio) {
  const std::size_t budget = std::size_t{12} * 794 * 1122 * 4;
  struct Case {
    qreal ratio;
    std::size_t kept;
  };
  // A picture is round(794 r) x round(1122 r) pixels: 12, 9.9, 7.7, 5.3, 3.9, 3 and 1.3 of them fit.
  for (const Case& c : {Case{1, 12}, {1.1, 9}, {1.25, 7}, {1.5, 5}, {1.75, 3}, {2, 3}, {3, 3}}) {
    const std::size_t picture = std::size_t{4} * static_cast<std::size_t>(std::lround(794 * c.ratio)) *
                                static_cast<std::size_t>(std::lround(1122 * c.ratio));
    PageStore store;
    store.SetPixelRatio(c.ratio);
    store.InvalidateAll(30, PageLook{});
    for (const int page : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 4, 3, 2, 1}) {
      store.PageBitmap(page);
      EXPECT_LE(store.KeptBytes(), std::max(budget, 3 * picture)) << "ratio " << c.ratio << ", page " << page;
    }
    EXPECT_EQ(store.KeptPages(), c.kept) << "ratio " << c.ratio;
    EXPECT_EQ(store.KeptBytes(), c.kept * picture) << "ratio " << c.ratio << ": no spare beyond them";
  }
}

using PictureLoaderTest = CanvasFixture;

TEST_F(PictureLoaderTest, LoadsAtNaturalSizeOrFittedAndTellsOfBadFilesWordForWord) {
  InstallTextSet(EnglishTexts());
  QTemporaryDir folder;
  const QString path = folder.filePath("p.png");
  QImage(200, 100, QImage::Format_RGB32).save(path);
  EXPECT_EQ(pictures.GraphicLoadImageFileToBitmap(path, 0, 0, false).size(), QSize(200, 100));
  EXPECT_EQ(pictures.LastPictureSize, QSize(200, 100));
  EXPECT_EQ(pictures.GraphicLoadImageFileToBitmap(path, 100, 100, true).size(), QSize(100, 50));
  EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(path, 0, 100, true).isNull());
  EXPECT_EQ(FitKeepingProportions({200, 100}, {400, 400}), QSize(400, 400)) << "a larger box keeps its size";
  EXPECT_EQ(FitKeepingProportions({100, 200}, {100, 100}), QSize(50, 100));
  EXPECT_TRUE(messages.empty());
  const std::string head = "message Programador | [GraphicLoadImageFileToBitmap] ";
  const QString missing = folder.filePath("none.png"), text = folder.filePath("text.png");
  EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(missing, 0, 0, false).isNull());
  WriteFileBytes(text.toStdString(), "not a picture at all");
  EXPECT_TRUE(pictures.GraphicLoadImageFileToBitmap(text, 0, 0, false).isNull());
  const std::string missingTold = head + "called on <" + missing.toStdString() + "> Missing file [warning]";
  const std::string readTold =
      head + "[GdipLoadImagefromFile] read error on <" + text.toStdString() + "> [warning]";
  EXPECT_EQ(messages, (std::vector<std::string>{missingTold, readTold})) << "the caption stays Spanish";
}

}  // namespace
