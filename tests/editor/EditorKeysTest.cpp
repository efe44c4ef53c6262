// The editor's keys, its question before changed text is dropped, and a file named from outside.
#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

struct Build {
  const char *option, *caption, *question, *loaded, *findTitle, *replaceTitle;
};

constexpr Build kBuilds[] = {
    {"es", "Programador", "¿Descartar el texto cambiado?", "Texto cargado ...", "Buscar", "Reemplazar"},
    {"en", "Programmer", "Discard the changed text?", "Loaded text ...", "Find", "Replace"},
};

class EditorKeys : public testing::Test {
 protected:
  Lines Run(const Build& build, const std::string& script) const {
    return RunDriver(std::string("--editor --lang ") + build.option + " --folder '" + folder_.path() + "'", script);
  }
  std::string PathOf(const std::string& name) const { return folder_.File(name); }

  TempFolder folder_;
};

TEST_F(EditorKeys, TheMenusShowTheirKeys) {
  EXPECT_EQ(Matching(Run(kBuilds[1], "keys\n"), "key "),
            (Lines{"key 1010 Ctrl+N", "key 1002 Ctrl+O", "key 1003 Ctrl+S", "key 1004 Ctrl+Shift+S", "key 1006 Ctrl+Q",
                   "key 1007 Ctrl+F", "key 1011 Ctrl+H"}));
}

// In both builds each key does what its item does: files written and read, dialogs opened, the box emptied, the end.
TEST_F(EditorKeys, EachKeyDoesWhatItsItemDoes) {
  WriteFileBytes(PathOf("in.txt"), "read in\r\n");
  for (const Build& build : kBuilds) {
    std::filesystem::remove(PathOf("cache.txt"));
    WriteFileBytes(PathOf("out.txt"), "");
    const Lines lines = Run(build, "set-text typed\nkey Ctrl+S\nchoose " + PathOf("out.txt") + "\nkey Ctrl+Shift+S\n"
                                   "key Ctrl+F\ntexts\nclick 2\nkey Ctrl+H\ntexts\nclick 2\n"
                                   "choose " + PathOf("in.txt") + "\nkey Ctrl+O\ntext\nkey Ctrl+N\ntext\nkey Ctrl+Q\n");
    const std::string caption = build.caption;
    EXPECT_EQ(Matching(lines, "message " + caption).size(), 3u) << build.option;
    EXPECT_EQ(Matching(lines, "dialog "), (Lines{"dialog \"" + std::string(build.findTitle) + "\"",
                                                 "dialog \"" + std::string(build.replaceTitle) + "\""}));
    EXPECT_EQ(Matching(lines, "text read"), Lines{"text read in\\r\\n | 0 0"}) << build.option;
    EXPECT_EQ(lines.end()[-2], "text  | 0 0") << build.option;
    EXPECT_EQ(lines.back(), "exit") << build.option;
    EXPECT_EQ(ReadFileBytes(PathOf("cache.txt")), "typed\r\n") << build.option;
    EXPECT_EQ(ReadFileBytes(PathOf("out.txt")), "typed\r\n") << build.option;
  }
}

// Changed text is asked about before New, Read, Exit and the window manager's close drop it; unchanged text is not.
TEST_F(EditorKeys, ChangedTextIsAskedAboutBeforeItIsDropped) {
  WriteFileBytes(PathOf("in.txt"), "file\r\n");
  const std::string read = "choose " + PathOf("in.txt") + "\ncommand 1002\n";
  const struct {
    std::string script;
    int questions;
    const char* text;  // the box afterwards; empty when the window ended
  } cases[] = {
      {"command 1010\n", 0, ""},                                        // nothing typed
      {"type x\ncommand 1010\n", 1, "x"},                               // No keeps it
      {"type x\nreply yes\ncommand 1010\n", 1, ""},
      {"type x\ncommand 1003\ncommand 1010\n", 0, ""},                  // written: nothing to lose
      {"type x\n" + read, 1, "x"},
      {"type x\nreply yes\n" + read, 1, "file\\r\\n"},
      {read + "type x\nkey Ctrl+N\n", 1, "xfile\\r\\n"},
      {"type x\ncommand 1006\n", 1, "x"},
      {"type x\nclose-window\n", 1, "x"},
      {"type x\nreply yes\nclose-window\n", 1, nullptr},
      {"command 1006\n", 0, nullptr},
  };
  for (const Build& build : kBuilds) {
    for (const auto& c : cases) {
      const Lines lines = Run(build, "set-text \n" + c.script + "text\n");
      const Lines questions = Matching(lines, "question");
      EXPECT_EQ(questions.size(), static_cast<std::size_t>(c.questions)) << c.script;
      if (!questions.empty()) {
        const std::string asked = "question " + std::string(build.caption) + " | " + build.question + " -> ";
        EXPECT_EQ(questions[0].rfind(asked, 0), 0u) << questions[0];
      }
      const std::string& last = lines.back();
      EXPECT_EQ(last.substr(0, last.find(" | ")), c.text ? "text " + std::string(c.text) : "exit")
          << build.option << " " << c.script;
    }
  }
}

// A file named from outside is read as Read reads a chosen one; one that is not there is named.
TEST_F(EditorKeys, AFileNamedFromOutsideIsReadAndAMissingOneNamed) {
  WriteFileBytes(PathOf("in.txt"), "outside\r\n");
  const Lines lines = Run(kBuilds[1], "open " + PathOf("gone.txt") + "\nopen " + PathOf("in.txt") + "\ntext\n");
  const std::string missing = "Err: 2 No such file or directory (" + PathOf("gone.txt") + ") [warning]";
  EXPECT_EQ(lines, (Lines{"message Programmer | " + missing,
                          "message Programmer | Loaded text ...", "text outside\\r\\n | 0 0"}));
}

}  // namespace
