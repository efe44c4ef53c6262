#include "platform/DialogPlacement.h"
#include "platform/DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, ScaleByTheFontsBaseUnits) {
  const DialogBaseUnits base{6, 13};
  EXPECT_EQ(DialogUnitsToPixels(QRect(5, 19, 100, 15), base), QRect(7, 30, 150, 24));
  EXPECT_EQ(DialogUnitsToPixels(QRect(510, 475, 50, 15), base), QRect(765, 771, 75, 24));
  // The layouts' sans face, 10 points bold: 8 x 15 pixels in a metric-compatible face (a wider fallback: 9).
  const DialogBaseUnits measured = BaseUnitsOf(DialogFont(10, true));
  EXPECT_EQ(std::pair(measured.baseX, measured.baseY), std::pair(8, 15));
}

TEST(DialogPlacement, KeepsTheFrameOnTheScreenAndScrollsWhatIsTooLarge) {
  const QRect laptop(0, 0, 1366, 768);
  const QRect desktop(0, 0, 1920, 1080);
  const QMargins frame(4, 30, 4, 4);
  struct Case { const char* name; QRect wanted, available; QMargins frame; QRect client; bool scrolls; };
  const Case cases[] = {
      {"fits where it is", {300, 200, 498, 373}, desktop, frame, {300, 200, 498, 373}, false},
      {"off the right and bottom edges", {1700, 900, 498, 373}, desktop, frame, {1418, 703, 498, 373}, false},
      {"off the left and top edges", {-50, -10, 710, 123}, laptop, frame, {4, 30, 710, 123}, false},
      {"a panel at the top takes room", {300, 10, 498, 373}, QRect(0, 40, 1920, 1040), {}, {300, 40, 498, 373},
       false},
      {"taller than the screen", {127, 150, 1140, 926}, laptop, {}, {127, 0, 1155, 768}, true},
      {"as tall as the screen", {0, 0, 1140, 768}, laptop, {}, {0, 0, 1140, 768}, false},
      {"the vertical bar makes it too wide", {0, 0, 1360, 900}, laptop, {}, {0, 0, 1366, 768}, true},
      {"the horizontal bar makes it too tall", {0, 0, 1400, 760}, laptop, {}, {0, 0, 1366, 768}, true},
      {"no screen known", {-50, -10, 710, 123}, QRect(), {}, {-50, -10, 710, 123}, false},
  };
  for (const Case& c : cases) {
    const DialogFit fit = FitDialog(c.wanted, c.available, c.frame, 15);
    EXPECT_EQ(fit.client, c.client) << c.name;
    EXPECT_EQ(fit.scrolls, c.scrolls) << c.name;
  }
}

}  // namespace
