// One rule lays a line out on 93 cells in both programs: where it breaks and where its tabs stop.
#include "platform/LineBreaking.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

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
      {"93 columns fit", Times(a, 93), {Times(a, 93)}},
      {"a paragraph breaks after the last blank within 93 columns", Times("word ", 30),
       {Times("word ", 18), Times("word ", 12)}},
      {"a word longer than a line breaks at column 93", Times(a, 94), {Times(a, 93), a}},
      {"blanks at a break stay on the upper line", Times(a, 93) + "   b", {Times(a, 93) + "   ", "b"}},
      {"a tab reaches column 9", "a\tb", {"a       b"}},
      {"a tab on a stop reaches the next one", "abcdefgh\tx\t\ty", {"abcdefgh        x               y"}},
      {"tabs take their width in the wrap", Times("\t", 11) + Times(a, 10),
       {std::string(88, ' ') + Times(a, 5), Times(a, 5)}},
      {"a tab past the last stop fills the line", Times(a, 90) + "\tb", {Times(a, 90) + "   ", "b"}},
      {"an icon marker is never split", Times(a, 91) + "\\#07", {Times(a, 91), "\\#07"}},
      {"a bullet marker is never split", Times(a, 92) + "\\$2", {Times(a, 92), "\\$2"}},
      {"a backslash that starts no marker is a letter", Times(a, 92) + "\\$5", {Times(a, 92) + "\\", "$5"}},
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
