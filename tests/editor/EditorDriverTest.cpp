// End to end: the real editor window run by the headless driver from a
// script, in both builds, compared line for line with what it prints.
#include "tests/DriverRunner.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/EditorFiles.h"
#include "editor/TextLayout.h"
#include "texts/TextSet.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string Repeat(const std::string& piece, std::size_t times) {
  std::string out;
  for (std::size_t k = 0; k < times; ++k) out += piece;
  return out;
}

// count short lines, as a driver text: "x\nx\n...x".
std::string HardLines(std::size_t count) {
  std::string text = "x";
  for (std::size_t k = 1; k < count; ++k) text += "\\nx";
  return text;
}

// One paragraph that wraps into exactly count lines of 92 letters and a blank.
std::string WrappedParagraph(std::size_t count) {
  std::string text = Repeat(std::string(92, 'w') + " ", count);
  text.pop_back();
  return text;
}

struct Language {
  const char* name;
  const TextSet& (*texts)();
  const char* option;
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.name; }

class EditorDriverTest : public testing::TestWithParam<Language> {
 protected:
  void SetUp() override { InstallTextSet(GetParam().texts()); }

  Lines Run(const Lines& script) const {
    std::string text;
    for (const std::string& line : script) text += line + "\n";
    return RunDriver(std::string("--editor --lang ") + GetParam().option + " --folder '" + folder_.path() + "'", text);
  }

  std::string PathOf(const std::string& name) const { return folder_.File(name); }
  void Put(const std::string& name, const std::string& bytes) const { WriteFileBytes(PathOf(name), bytes); }
  std::string Get(const std::string& name) const { return ReadFileBytes(PathOf(name)); }

  static std::string T(TextId id) { return std::string(Text(id)); }
  static std::string Status(std::size_t lines, std::size_t pages) {
    return "status " + std::to_string(lines) + T(TextId::EditorStatusLinesSuffix) + " | " +
           std::to_string(pages) + T(TextId::EditorStatusPagesSuffix);
  }
  static std::string Message(TextId text) { return "message " + T(TextId::CaptionProgrammer) + " | " + T(text); }
  static std::string FindMessage(TextId text) {
    return "message " + T(TextId::EditorFindTitle) + " | " + T(text) + " [information]";
  }

  TempFolder folder_;
};

TEST_P(EditorDriverTest, TheRulerCountsTwoLinesAfterTheFirstTick) {
  const Lines printed = Run({"status", "lines", "wait 1100", "status", "command 1010", "text", "wait 1100", "status"});
  const Lines expected = {
      "status " + T(TextId::EditorStatusLinesInitial) + " | " + T(TextId::EditorStatusPagesInitial),
      "[" + std::string(T(TextId::EditorRuler), 0, 93) + "]",
      "[*]",
      Status(2, 0),
      "text  | 0 0",
      Status(1, 0),
  };
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, ExitEndsTheWindowAndTheScript) {
  EXPECT_EQ(Run({"set-text unsaved", "command 1006", "text"}), (Lines{"exit"}));
  EXPECT_FALSE(fs::exists(PathOf("cache.txt"))) << "nothing is saved on the way out";
}

TEST_P(EditorDriverTest, PagesAreWholeGroupsOf66Lines) {
  Lines script;
  for (const std::size_t lines : {65, 66, 131, 132}) {
    script.insert(script.end(), {"set-text " + HardLines(lines), "wait 1100", "status"});
  }
  script.insert(script.end(), {"set-text " + WrappedParagraph(70), "wait 1100", "status"});
  EXPECT_EQ(Run(script), (Lines{Status(65, 0), Status(66, 1), Status(131, 1), Status(132, 2), Status(70, 1)}));
}

TEST_P(EditorDriverTest, WritesWithAndWithoutFormat) {
  const std::string paragraph = WrappedParagraph(3);
  const Lines printed = Run({
      "command 1010", "command 1003",  // an empty box
      "set-text " + paragraph, "command 1003", "choose " + PathOf("plain.txt"), "command 1004",
      "choose " + PathOf("plain.txt"), "command 1004",
      "choose", "command 1004",  // cancelled: nothing
  });
  const Lines expected = {Message(TextId::EditorMessageSavedFormatted), Message(TextId::EditorMessageSavedFormatted),
                          Message(TextId::EditorMessageSavedPlain), Message(TextId::EditorMessageSavedPlain)};
  EXPECT_EQ(printed, expected);
  const std::string line = std::string(92, 'w');
  EXPECT_EQ(Get("cache.txt"), line + " \r\n" + line + " \r\n" + line + "\r\n") << "the second write alone";
  EXPECT_EQ(Get("plain.txt"), paragraph + "\r\n" + paragraph + "\r\n") << "both writes, one line each";
}

TEST_P(EditorDriverTest, AnEmptyBoxWrittenWithFormatIsOneLineEnd) {
  EXPECT_EQ(Run({"command 1010", "command 1003"}), (Lines{Message(TextId::EditorMessageSavedFormatted)}));
  EXPECT_EQ(Get("cache.txt"), "\r\n");
}

TEST_P(EditorDriverTest, ReadingAFileReplacesTheText) {
  Put("empty.txt", "");
  Put("two.txt", "uno, dos\r\n\ttres");
  const Lines printed = Run({"choose " + PathOf("empty.txt"), "command 1002", "text", "lines",
                             "choose " + PathOf("two.txt"), "command 1002", "text"});
  const Lines expected = {Message(TextId::EditorMessageLoaded), "text \\r\\n | 0 0", "[]", "[]",
                          Message(TextId::EditorMessageLoaded), "text uno, dos\\r\\n\\ttres\\r\\n | 0 0"};
  EXPECT_EQ(printed, expected);
}

// A file that cannot be read is reported and the writer's text stays; a
// write that fails is reported instead of the confirmation.
TEST_P(EditorDriverTest, FileFailuresAreReportedAndLoseNothing) {
  fs::create_directory(PathOf("cache.txt"));
  const Lines printed = Run({
      "set-text my work", "choose /proc/self/mem", "command 1002", "text",
      "choose " + PathOf("missing.txt"), "command 1002", "text",  // not there: nothing
      "command 1003", "choose " + PathOf("no/such/folder.txt"), "command 1004",
  });
  const Lines expected = {
      "message " + T(TextId::CaptionProgrammer) + " | " + ErrorText(EIO, std::strerror(EIO)) + " [warning]",
      "text my work | 0 0",
      "text my work | 0 0",
      "message " + T(TextId::CaptionProgrammer) + " | " + ErrorText(EISDIR, std::strerror(EISDIR)) + " [warning]",
      "message " + T(TextId::CaptionProgrammer) + " | " + ErrorText(ENOENT, std::strerror(ENOENT)) + " [warning]",
  };
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, TypingEntersTextAtTheCaret) {
  const Lines printed = Run({"set-text ab", "select 1 1", "type x\\ty\\nz", "text", "select 0 9", "type Ñ",
                             "text", "select 3", "bogus"});
  const Lines expected = {"text ax\\ty\\r\\nzb | 7 7", "text Ñ | 1 1", "error select 3: select takes two offsets",
                          "error bogus: unknown command"};
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, FindNextWalksTheOccurrencesThenReportsNone) {
  const Lines printed = Run({
      "set-text el perro y el perro", "select 0 0", "click 1", "command 1007", "set 1152 perro",
      "click 1", "text", "click 1", "text", "click 1", "text", "set 9999 x", "click 2", "click 1",
  });
  const Lines expected = {
      "error click 1: no find or replace dialog is open",
      "text el perro y el perro | 3 8",
      "text el perro y el perro | 14 19",
      FindMessage(TextId::EditorMessageNoMatches),
      "text el perro y el perro | 14 19",
      "error set 9999 x: the dialog has no control 9999",
      "error click 1: no find or replace dialog is open",
  };
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, ReplaceSelectsTheNextThenReportsNoOther) {
  const Lines printed = Run({
      "set-text a b a", "select 0 0", "command 1011", "set 1152 a", "set 1153 x", "click 1", "text",
      "click 1024", "text", "click 1024", "text",
  });
  const Lines expected = {"text a b a | 0 1", "text x b a | 4 5", FindMessage(TextId::EditorMessageNoOtherResults),
                          "text x b x | 5 5"};
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, ReplaceAllEndsAndSelectsTheLastReplacement) {
  const Lines printed = Run({
      "set-text aaa", "select 0 0", "command 1011", "set 1152 a", "set 1153 b", "click 1025", "text",
      "set-text a a", "select 0 0", "set 1153 ba", "click 1025", "text",  // the replacement holds the search text
      "set 1152 zz", "click 1025", "text",
  });
  const Lines expected = {"text bbb | 2 3", "text ba ba | 3 5", FindMessage(TextId::EditorMessageNoMatches),
                          "text ba ba | 3 5"};
  EXPECT_EQ(printed, expected);
}

TEST_P(EditorDriverTest, WholeWordsUpwardAndOddSearchTexts) {
  const std::string x300(300, 'x');
  const Lines printed = Run({
      "set-text uno unos. uno, x\\r\\nuno", "select 21 21", "command 1007", "click 1040", "click 1056",
      "set 1152 uno", "click 1", "text", "click 1", "text", "click 1", "text",
      "command 1011",  // brings the find dialog forward
      "click 1056", "click 1040",
      "set-text a ... b", "select 0 0", "click 1057", "click 1040", "set 1152 ...", "click 1", "text",
      "set-text " + x300, "select 0 0", "click 1040", "set 1152 " + x300, "click 1", "text",
  });
  const Lines expected = {
      "text uno unos. uno, x\\r\\nuno | 10 13",  // after a line end is no whole word
      "text uno unos. uno, x\\r\\nuno | 0 3",    // "unos" is skipped
      FindMessage(TextId::EditorMessageNoMatches),
      "text uno unos. uno, x\\r\\nuno | 0 3",
      "text a ... b | 2 5",
      "text " + x300 + " | 0 255",  // the search text was cut to 255
  };
  EXPECT_EQ(printed, expected);
}

INSTANTIATE_TEST_SUITE_P(Languages, EditorDriverTest,
                         testing::Values(Language{"Spanish", &SpanishTexts, "es"},
                                         Language{"English", &EnglishTexts, "en"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Hostile files: no crash, no hang, and the counts stay right.
class EditorBadInputTest : public EditorDriverTest {};

TEST_P(EditorBadInputTest, HostileFilesLoadAndCountRight) {
  const std::string twentyMegabytes = Repeat("palabra ", 2621440);
  struct File {
    const char* name;
    std::string bytes;
  };
  const File files[] = {
      {"nul.txt", std::string("x\0y\r\nz", 6)},
      {"cr.txt", "a\rb\rc"},
      {"lf.txt", "a\nb\n"},
      {"latin.txt", "\xE1rbol \x80"},
      {"long.txt", std::string(100000, 'x')},
      {"big.txt", twentyMegabytes},
  };
  Lines script;
  Lines expected;
  for (const File& file : files) {
    Put(file.name, file.bytes);
    script.insert(script.end(), {"choose " + PathOf(file.name), "command 1002", "wait 1100", "status"});
    const std::size_t lines = CountVisualLines(TextFromFileBytes(file.bytes));
    expected.insert(expected.end(), {Message(TextId::EditorMessageLoaded), Status(lines, CountPages(lines))});
  }
  EXPECT_EQ(Run(script), expected);
  // Counted by hand, so the engine is not checked against itself alone.
  EXPECT_EQ(expected[1], Status(3, 0));
  EXPECT_EQ(expected[3], Status(4, 0));
  EXPECT_EQ(expected[5], Status(3, 0));
  EXPECT_EQ(expected[9], Status(1077, 16));
}

INSTANTIATE_TEST_SUITE_P(English, EditorBadInputTest,
                         testing::Values(Language{"English", &EnglishTexts, "en"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
