#include "CanvasFixture.h"

namespace {

class PageStoreTest : public CanvasFixture {
 protected:
  // A document of `pages` pages whose line 5 carries an underline.
  void MarkedDocument(int pages) {
    state.document.PageCount = pages;
    for (int page = 1; page <= pages; ++page) {
      LineRecord& line = SetLine(5, "underlined text on this page", {}, page);
      line.hasMarks = 1;
      line.horizontalMarks = "5,3,20;";
    }
  }
  // Every page shown once, so the early ones leave the store.
  void ShowAllPages() {
    for (int page = 1; page <= state.document.PageCount; ++page) state.pages.PageBitmap(page);
  }
};

TEST_F(PageStoreTest, APageDroppedFromMemoryComesBackAsItWasDrawn) {
  MarkedDocument(40);
  renderer.InvalidatePages(0);
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), kRed);
  state.settings.colours.horizontal = 0xFF0000;  // blue from now on
  ShowAllPages();
  EXPECT_LE(state.pages.KeptPages(), 12u);
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), kRed) << "drawn again with its own colours";
  state.document.CurrentPage = 1;
  renderer.StandardRefresh();
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(40, 80), qRgb(0, 0, 255)) << "a refresh takes the settings of now";
}

TEST_F(PageStoreTest, WhatTheMouseDrewStaysUntilThePageIsDrawnAgain) {
  MarkedDocument(40);
  renderer.InvalidatePages(0);
  state.document.CurrentPage = 1;
  renderer.HighlightCell(6, 5);
  const QRgb highlighted = state.pages.PageBitmap(1).pixel(41, 64);
  ShowAllPages();
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(41, 64), highlighted);
  EXPECT_EQ(highlighted, qRgb(51, 153, 255));
  renderer.StandardRefresh();
  EXPECT_NE(state.pages.PageBitmap(1).pixel(41, 64), highlighted);
}

// On a dense screen the page is drawn at twice the pixels on the same
// geometry, while the page as such stays 794 x 1122, byte for byte.
TEST_F(PageStoreTest, ADenseScreenGetsTwiceThePixelsAndTheSamePage) {
  MarkedDocument(2);
  renderer.InvalidatePages(0);
  state.document.CurrentPage = 1;
  renderer.HighlightCell(6, 5);
  const QImage atOne = state.pages.PageBitmap(1).copy();
  state.pages.SetPixelRatio(2);
  const QImage& dense = state.pages.PageBitmap(1);
  EXPECT_EQ(dense.size(), QSize(1588, 2244));
  EXPECT_EQ(dense.pixel(200, 160), kRed) << "the underline of line 5 under (100, 80)";
  EXPECT_EQ(dense.pixel(201, 161), kRed);
  EXPECT_EQ(dense.pixel(83, 129), qRgb(51, 153, 255)) << "the highlight of column 6 on line 5, at its top row";
  EXPECT_EQ(state.pages.PageAtRatioOne(1), atOne);
}

TEST_F(PageStoreTest, ARenderLeavesNoTraceOfThePreviousPicture) {
  MarkedDocument(2);
  state.guide = {kGuideOn, 5, 5, qRgb(0xC0, 0xC0, 0xC0)};
  renderer.RenderPage(1, kGuideOn);
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(400, 72), qRgb(0xC0, 0xC0, 0xC0));
  renderer.RenderPage(1, 0);
  EXPECT_EQ(state.pages.PageBitmap(1).pixel(400, 72), kWhite);
}

}  // namespace
