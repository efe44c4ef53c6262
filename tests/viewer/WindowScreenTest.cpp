#include "tests/VirtualDisplay.h"
#include "tests/viewer/ViewerTestSupport.h"

#include <map>

namespace {

// The fields of a "window ..." line.
std::map<std::string, QRect> WindowLine(const std::vector<std::string>& lines) {
  std::map<std::string, QRect> rects;
  for (const std::string& line : lines) {
    if (line.rfind("window frame=", 0) != 0) continue;
    for (const auto& [name, value] : ParseStateLine("caption=\"\" " + line.substr(7))) rects[name] = RectOf(value);
  }
  return rects;
}

struct Screen {
  int number;  // of the virtual display
  const char* scale;
  bool designed;  // the windows keep their designed sizes
};

// A laptop, the same laptop at 125 %, a desktop at 125 %, and the screens the windows were designed for.
const Screen kScreens[] = {{0, "1", false}, {1, "1", false}, {2, "1.25", false}, {2, "1", true}, {3, "1", true}};

class WindowsOnScreens : public ViewerProgram {
 protected:
  void SetUp() override {
    if (display_.Name().empty()) GTEST_SKIP() << "no virtual display (Xvfb) to test with";
    for (int screen = 0; screen < 4; ++screen) {
      if (!display_.StartWindowManager(screen, folder.File("wm-ready-" + std::to_string(screen)))) {
        GTEST_SKIP() << "no window manager (openbox) to test with";
      }
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  }
  void Use(const Screen& screen) const {
    ::setenv("DISPLAY", (display_.Name() + "." + std::to_string(screen.number)).c_str(), 1);
    ::setenv("QT_SCALE_FACTOR", screen.scale, 1);
  }
  void TearDown() override { ::unsetenv("QT_SCALE_FACTOR"); }

  VirtualDisplay display_{"-screen 0 1366x768x24 -screen 1 1536x864x24 -screen 2 1920x1080x24 "
                                "-screen 3 2560x1440x24"};
};

// The viewer's frame, menu bar, page foot and guide band on each screen; guide offsets from line 52: -200.
TEST_F(WindowsOnScreens, TheViewerFitsAndEveryLineCanBeReached) {
  std::string script = Load(WriteText("two-pages.txt", NumberedLines(130))) + "wait 1500\nwindow\nopen-menu 1\nkey End\nstate\n" +
                       "key Home\ncommand 1093\nstate\n" + Times("key Down\nstate\n", 64) + Times("key Up\nstate\n", 64);
  for (const Screen& screen : kScreens) {
    Use(screen);
    FreshProgramFolder();
    const auto lines = RunDriver("--visible --lang en --folder '" + ProgramFolderPath() + "'", script + "command 1047\n");
    const std::string where = std::to_string(screen.number) + " at " + screen.scale;
    auto window = WindowLine(lines);
    EXPECT_TRUE(window["screen"].contains(window["frame"])) << where;
    EXPECT_EQ(Matching(lines, "popup "), std::vector<std::string>{"popup \"Files\""}) << where;
    EXPECT_EQ(Matching(lines, "error"), std::vector<std::string>{}) << where;
    const int area = window["page"].height();
    const auto states = Matching(lines, "state ");
    ASSERT_EQ(states.size(), 2u + 128u) << where;
    // End shows the page number's line, 68 (its foot at 1088).
    EXPECT_LE(std::stoi(ParseStateLine(states[0])["offset"]) + 1088, area) << where;
    for (std::size_t step = 1; step < states.size(); ++step) {
      auto state = ParseStateLine(states[step]);
      const int line = std::stoi(state["guideline"]), offset = std::stoi(state["offset"]);
      EXPECT_EQ(line, step <= 65 ? static_cast<int>(step) : 130 - static_cast<int>(step)) << where;
      EXPECT_GE((line - 1) * 16 + offset, 0) << where << " line " << line;
      EXPECT_LE(line * 16 + offset, area) << where << " line " << line;
      if (screen.designed) {
        EXPECT_EQ(offset, line >= 52 ? -200 : 0) << where << " line " << line;
      }
    }
    if (screen.designed) {
      EXPECT_EQ(window["page"].size(), QSize(794, 955)) << where;
      EXPECT_EQ(window["bar"], QRect()) << where;
      EXPECT_EQ(ParseStateLine(states[0])["offset"], "-561") << where;
    } else {
      EXPECT_EQ(window["bar"].height(), area) << where;
    }
  }
}

// The editor's frame and its status bar on each screen; the box keeps its width, 778.
TEST_F(WindowsOnScreens, TheEditorFitsWithItsStatusBar) {
  for (const Screen& screen : kScreens) {
    Use(screen);
    const auto lines = RunDriver("--editor --visible --lang en --folder '" + folder.File("editor") + "'",
                                 "wait 1500\nwindow\ncommand 1006\n");
    const std::string where = std::to_string(screen.number) + " at " + screen.scale;
    auto window = WindowLine(lines);
    EXPECT_TRUE(window["screen"].contains(window["frame"])) << where;
    EXPECT_GT(window["status"].height(), 10) << where;
    EXPECT_TRUE(window["frame"].contains(window["status"])) << where;
    EXPECT_EQ(window["box"].width(), 778) << where;
    if (screen.designed) {
      EXPECT_EQ(window["box"].height(), 875) << where;
    }
  }
}

}  // namespace
