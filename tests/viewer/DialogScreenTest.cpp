#include "tests/viewer/ViewerTestSupport.h"

#include <QRect>
#include <QSize>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

// Two screens of 1366 x 768 and 1920 x 1080; the shell prints the server's pid, then the server its display.
class VirtualDisplay {
 public:
  VirtualDisplay()
      : out_(::popen("Xvfb -displayfd 3 -screen 0 1366x768x24 -screen 1 1920x1080x24 -nolisten tcp "
                     "3>&1 >/dev/null 2>&1 & echo $!", "r")) {
    // Read unbuffered with a time limit: a server that never answers is given up on after 20 s.
    std::string said;
    pollfd ready{out_ ? ::fileno(out_) : -1, POLLIN, 0};
    for (char c; std::count(said.begin(), said.end(), '\n') < 2 && ::poll(&ready, 1, 20000) == 1 &&
                 ::read(ready.fd, &c, 1) == 1;) {
      said += c;
    }
    std::istringstream fields(said);
    int number = -1;
    fields >> pid_ >> number;
    if (fields) name_ = ":" + std::to_string(number);
  }
  ~VirtualDisplay() {
    if (pid_ > 0) ::kill(pid_, SIGTERM);
    if (out_) ::pclose(out_);
  }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  const std::string& Name() const { return name_; }

 private:
  FILE* out_;
  int pid_ = -1;
  std::string name_;
};

QRect RectOf(const std::string& text) {
  int x = 0, y = 0, w = 0, h = 0;
  std::sscanf(text.c_str(), "%d,%d,%d,%d", &x, &y, &w, &h);
  return QRect(x, y, w, h);
}

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
