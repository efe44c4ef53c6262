#include "CanvasFixture.h"
#include "tests/TempFolder.h"

#include <QTemporaryDir>

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
