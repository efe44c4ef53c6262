#include "tests/viewer/ViewerTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A virtual display with two screens of common sizes, 1366 x 768 (screen 0)
// and 1920 x 1080 (screen 1). MARVESSA_TEST_DISPLAY names its number (":103");
// otherwise the server takes a free one. Name() is empty when it did not start.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int ready[2];
    if (::pipe(ready) != 0) return;
    const std::string fd = std::to_string(ready[1]);  // made before the fork: the child only replaces itself
    std::vector<const char*> args = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1366x768x24",
                                     "-screen", "1", "1920x1080x24", "-nolisten", "tcp"};
    const char* wanted = std::getenv("MARVESSA_TEST_DISPLAY");
    if (wanted && *wanted) args.insert(args.begin() + 1, wanted);
    args.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
      ::execvp("Xvfb", const_cast<char* const*>(args.data()));
      ::_exit(127);
    }
    ::close(ready[1]);
    // The server writes its number and a line end once it takes clients,
    // perhaps in pieces; one that does not within 20 s is given up on.
    std::string number;
    char c = 0;
    pollfd waiting{ready[0], POLLIN, 0};
    while (pid_ > 0 && number.size() < 8 && ::poll(&waiting, 1, 20000) == 1 && ::read(ready[0], &c, 1) == 1) {
      if (c == '\n') break;
      number += c;
    }
    ::close(ready[0]);
    if (c == '\n' && !number.empty()) name_ = ":" + number;
  }
  ~VirtualDisplay() {
    if (pid_ > 0) ::kill(pid_, SIGTERM), ::waitpid(pid_, nullptr, 0);
  }
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

using DialogsOnScreens = ViewerProgram;

// Each dialog opens wholly on the screen, scrolls only when it is larger
// than the screen, and its last button is reached by Tab and clicked with
// the mouse. Sizes: the layouts' dialog units at base units of 8 x 15
// pixels, the favourite colours in pixels.
TEST_F(DialogsOnScreens, EachOpensOnTheScreenAndItsExitCanBeClicked) {
  const VirtualDisplay display;
  if (display.Name().empty()) GTEST_SKIP() << "no virtual display (Xvfb) to test with";
  const std::string sample = "choose " + WriteText("sample.txt", NumberedLines(200)) + "\ncommand 1046\n";
  struct Case {
    const char* name;
    std::string opening;
    int exit;
    QSize layout;
  };
  const Case cases[] = {
      {"configurator", "command 1077\n", 3357, QSize(570 * 8 / 4, 494 * 15 / 8)},
      {"export", sample + "command 1070\n", 7012, QSize(249 * 8 / 4, 199 * 15 / 8)},
      {"print set-up", sample + "command 1070\nclick 7013\n", 1009, QSize(355 * 8 / 4, 66 * 15 / 8)},
      {"favourite colours", sample + "command 1079\n", 31003, QSize(350, 357)},
  };
  const QSize screens[] = {QSize(1366, 768), QSize(1920, 1080)};
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  // Printing goes ahead after the set-up dialog: never to the machine's printers.
  ::setenv("CUPS_SERVER", folder.File("no-print-system.sock").c_str(), 1);
  for (int screen = 0; screen < 2; ++screen) {
    ::setenv("DISPLAY", (display.Name() + "." + std::to_string(screen)).c_str(), 1);
    const QRect whole(QPoint(0, 0), screens[screen]);
    for (const Case& c : cases) {
      FreshProgramFolder();
      const auto lines = RunDriver("--visible --lang en --folder '" + ProgramFolderPath() + "'",
                                   c.opening + "dialog\nreach " + std::to_string(c.exit) + "\nstate\n");
      const std::string where = std::string(c.name) + " on screen " + std::to_string(screen);
      const auto shown = Matching(lines, "dialog title=");
      ASSERT_EQ(shown.size(), 1u) << where;
      auto dialog = ParseStateLine("caption=" + shown[0].substr(shown[0].find('"')));
      EXPECT_EQ(RectOf(dialog["screen"]), whole) << where;
      EXPECT_TRUE(whole.contains(RectOf(dialog["frame"]))) << where;
      const bool larger = c.layout.height() > screens[screen].height();
      EXPECT_EQ(dialog["scrolls"], larger ? "1" : "0") << where;
      if (!larger) {
        EXPECT_EQ(dialog["width"] + "x" + dialog["height"],
                  std::to_string(c.layout.width()) + "x" + std::to_string(c.layout.height())) << where;
      }
      EXPECT_EQ(Matching(lines, "error"), std::vector<std::string>{}) << where;
      EXPECT_EQ(LastState(lines)["busy"], "0") << where;
    }
  }
}

}  // namespace
