#include "tests/VirtualDisplay.h"
#include "tests/viewer/ViewerTestSupport.h"

namespace {

using DialogsOnScreens = ViewerProgram;

// Each dialog opens on its screen, scrolls only when larger, and Tab reaches its last button (sizes: 8 x 15).
TEST_F(DialogsOnScreens, EachOpensOnTheScreenAndItsExitCanBeClicked) {
  const VirtualDisplay display;
  if (display.Name().empty()) GTEST_SKIP() << "no virtual display (Xvfb) to test with";
  const std::string sample = Load(WriteText("sample.txt", NumberedLines(200)));
  const std::tuple<const char*, std::string, int, QSize> cases[] = {
      {"configurator", "command 1077\n", 3357, QSize(570 * 8 / 4, 494 * 15 / 8)},
      {"export", sample + "command 1070\n", 7012, QSize(249 * 8 / 4, 199 * 15 / 8)},
      {"print set-up", sample + "command 1070\nclick 7013\n", 1009, QSize(355 * 8 / 4, 66 * 15 / 8)},
      {"favourite colours", sample + "command 1079\n", 31003, QSize(350, 357)},
  };
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  ::setenv("CUPS_SERVER", folder.File("no-print-system.sock").c_str(), 1);  // never the machine's printers
  for (const QRect screen : {QRect(0, 0, 1366, 768), QRect(0, 0, 1920, 1080)}) {
    ::setenv("DISPLAY", (display.Name() + (screen.width() == 1366 ? ".0" : ".1")).c_str(), 1);
    for (const auto& [name, opening, exitButton, layout] : cases) {
      FreshProgramFolder();
      const auto lines = RunDriver("--visible --lang en --folder '" + ProgramFolderPath() + "'",
                                   opening + "dialog\nreach " + std::to_string(exitButton) + "\nstate\n");
      const std::string where = std::string(name) + " on " + std::to_string(screen.width());
      const auto shown = Matching(lines, "dialog title=");
      ASSERT_EQ(shown.size(), 1u) << where;
      auto dialog = ParseStateLine("caption=" + shown[0].substr(shown[0].find('"')));
      EXPECT_EQ(RectOf(dialog["screen"]), screen) << where;
      EXPECT_TRUE(screen.contains(RectOf(dialog["frame"]))) << where;
      const bool larger = layout.height() > screen.height();
      EXPECT_EQ(dialog["scrolls"], larger ? "1" : "0") << where;
      if (!larger) {
        EXPECT_EQ(dialog["width"] + "x" + dialog["height"],
                  std::to_string(layout.width()) + "x" + std::to_string(layout.height())) << where;
      }
      EXPECT_EQ(Matching(lines, "error"), std::vector<std::string>{}) << where;
      EXPECT_EQ(LastState(lines)["busy"], "0") << where;
    }
  }
}

}  // namespace
