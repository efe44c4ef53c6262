// One rule lays a line out on 93 cells in both programs: where it breaks and where its tabs stop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/LineBreaking.h"

namespace {

using Lines = std::vector<std::string>;

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int k = 0; k < times; ++k) out += piece;
  return out;
}

// The page lines of one paragraph, each with its tabs made blanks.
Lines PageLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  do {
    const std::size_t end = NextLineEnd(text, start);
    lines.push_back(ExpandTabs(text.substr(start, end - start)));
    start = end;
  } while (start < text.size());
  return lines;
}

TEST(LineBreaking, BreaksAfterTheLastBlankThatFitsAndKeepsTabStops) {
  const std::string a = "a";
  const struct {
    const char* name; std::string text; Lines lines;
  } cases[] = {
      {"93 columns fit", Repeat(a, 93), {Repeat(a, 93)}},
      {"a paragraph breaks after the last blank within 93 columns", Repeat("word ", 30),
       {Repeat("word ", 18), Repeat("word ", 12)}},
      {"a word longer than a line breaks at column 93", Repeat(a, 94), {Repeat(a, 93), a}},
      {"blanks at a break stay on the upper line", Repeat(a, 93) + "   b", {Repeat(a, 93) + "   ", "b"}},
      {"a tab reaches column 9", "a\tb", {"a       b"}},
      {"a tab on a stop reaches the next one", "abcdefgh\tx\t\ty", {"abcdefgh        x               y"}},
      {"tabs take their width in the wrap", Repeat("\t", 11) + Repeat(a, 10),
       {std::string(88, ' ') + Repeat(a, 5), Repeat(a, 5)}},
      {"a tab past the last stop fills the line", Repeat(a, 90) + "\tb", {Repeat(a, 90) + "   ", "b"}},
      {"an icon marker is never split", Repeat(a, 91) + "\\#07", {Repeat(a, 91), "\\#07"}},
      {"a bullet marker is never split", Repeat(a, 92) + "\\$2", {Repeat(a, 92), "\\$2"}},
      {"a backslash that starts no marker is a letter", Repeat(a, 92) + "\\$5", {Repeat(a, 92) + "\\", "$5"}},
      {"an empty line is one line", "", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(PageLines(c.text), c.lines) << c.name;
}

// The editor's box places its units in the columns the page gives them, and a click finds the nearest boundary.
TEST(LineBreaking, ColumnsOfUnitsAndUnitsAtColumns) {
  const std::u16string line = u"ab\tc";
  EXPECT_EQ(ColumnOfUnit<char16_t>(line, 2), 2u);
  EXPECT_EQ(ColumnOfUnit<char16_t>(line, 3), 8u);
  EXPECT_EQ(ColumnOfUnit<char16_t>(line, 4), 9u);
  const std::pair<std::size_t, std::size_t> nearest[] = {{0, 0}, {2, 2}, {4, 2}, {6, 3}, {8, 3}, {9, 4}, {40, 4}};
  for (const auto& [column, unit] : nearest) EXPECT_EQ(UnitNearColumn<char16_t>(line, column), unit) << column;
}

}  // namespace
