#include "viewer/canvas/ViewOffsets.h"

#include <gtest/gtest.h>

namespace {

// The designed page area is 955 pixels tall: End goes to -561 and the guide's offsets (0, -200 from line 52)
// already show the band. A shorter area scrolls further, so that the page's foot (line 68, 1072..1088) shows.
TEST(ViewOffsets, TheFootAndTheGuidedLineAlwaysShow) {
  struct Lowest { int area, offset; };
  for (const Lowest c : {Lowest{955, -561}, Lowest{1122, -561}, Lowest{561, -561}, Lowest{500, -622}, Lowest{240, -882}}) {
    EXPECT_EQ(LowestViewOffset(c.area), c.offset) << c.area;
  }
  struct Shown { const char* name; int offset, line, area, shown; };
  const Shown cases[] = {
      {"line 51 at the top of the designed area", 0, 51, 955, 0},
      {"line 65 scrolled by 200", -200, 65, 955, -200},
      {"line 52 in a whole-page area", -200, 52, 1122, -200},
      {"line 40 below a short area", 0, 40, 500, -140},
      {"line 1 above it", -140, 1, 500, 0},
      {"line 30 above a scrolled view", -561, 30, 500, -464},
      {"the page number's line", 0, 68, 500, -588},
  };
  for (const Shown& c : cases) EXPECT_EQ(OffsetShowingLine(c.offset, c.line, c.area), c.shown) << c.name;
}

}  // namespace
