#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

// The viewer (804 x 985, its frame's corner where centring the window puts it) and the editor (788 x 930 at
// 70, 58) on the screens readers own; a frame of a 24-pixel title bar and 1-pixel borders.
TEST(WindowPlacement, TheFrameStaysOnTheScreenAndOnlyAShortScreenShortensTheWindow) {
  const QMargins frame(1, 24, 1, 1);
  struct Case { const char* name; QRect wanted, available, fitted; bool shortened; };
  const Case cases[] = {
      {"viewer, 1920 x 1080", {557, 47, 804, 985}, {0, 0, 1920, 1080}, {557, 47, 804, 985}, false},
      {"viewer, 2560 x 1440", {877, 227, 804, 985}, {0, 0, 2560, 1440}, {877, 227, 804, 985}, false},
      {"viewer, 1366 x 768", {280, -109, 804, 985}, {0, 0, 1366, 768}, {280, 0, 804, 743}, true},
      {"viewer, 1536 x 864", {365, -61, 804, 985}, {0, 0, 1536, 864}, {365, 0, 804, 839}, true},
      {"viewer, a panel above", {280, -94, 804, 985}, {0, 30, 1366, 738}, {280, 30, 804, 713}, true},
      {"editor, 1920 x 1080", {70, 58, 788, 930}, {0, 0, 1920, 1080}, {70, 58, 788, 930}, false},
      {"editor, 1366 x 768", {70, 58, 788, 930}, {0, 0, 1366, 768}, {70, 0, 788, 743}, true},
      {"tall enough, too low", {70, 300, 788, 930}, {0, 0, 1920, 1080}, {70, 125, 788, 930}, false},
      {"off the right edge", {1500, 0, 788, 500}, {0, 0, 1920, 1080}, {1130, 0, 788, 500}, false},
      {"never below the least height", {0, 0, 804, 985}, {0, 0, 1024, 200}, {0, 0, 804, 270}, true},
      {"no screen known", {280, -109, 804, 985}, QRect(), {280, -109, 804, 985}, false},
  };
  for (const Case& c : cases) {
    const WindowFit fit = FitWindow(c.wanted, c.available, frame, 270);
    EXPECT_EQ(fit.frameTopLeftAndSize, c.fitted) << c.name;
    EXPECT_EQ(fit.shortened, c.shortened) << c.name;
  }
}

}  // namespace
