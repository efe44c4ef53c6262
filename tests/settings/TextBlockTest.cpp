#include "viewer/settings/TextBlock.h"

#include <gtest/gtest.h>

namespace {

// A fixed-pitch font: every character `advance` pixels wide.
TextWidthFn FixedPitch(int advance) {
  return [advance](std::string_view s) { return static_cast<int>(s.size()) * advance; };
}

std::vector<std::string> UsedLines(const TextBlockLines& lines) {
  std::vector<std::string> used;
  for (const auto& line : lines) {
    if (!line.empty()) used.push_back(line);
  }
  return used;
}

TEST(TextBlock, WrapsAtTheNearestBlank) {
  struct Case { const char* name; std::string text; int pitch; std::vector<std::string> lines; int lastRow; };
  const std::string word9 = "abcdefghi";
  std::string footer99;  // ten words of nine letters, 99 characters with blanks
  for (int i = 0; i < 10; ++i) footer99 += (i ? " " : "") + word9;
  const Case cases[] = {
      {"fits whole", "short footer", 10, {"short footer"}, 0},
      // 12 points: 10 px a character, 74 fit into 744 px. Only entries split again lose their leading blanks.
      {"99 characters at 12 points", footer99, 10, {footer99.substr(0, 69), footer99.substr(69)}, 1},
      {"99 characters at 10 points", footer99, 8, {footer99.substr(0, 89), " " + word9}, 1},
      {"blank right where it stops fitting", std::string(74, 'x') + " tail", 10,
       {std::string(74, 'x'), " tail"}, 1},
      {"a long remainder is split again and trimmed",
       std::string(70, 'x') + " " + std::string(72, 'y') + "  z", 10,
       {std::string(70, 'x'), std::string(72, 'y') + " ", "z"}, 2},
      {"a word wider than the box is pushed down", std::string(99, 'w'), 10, {std::string(99, 'w')},
       kTextBlockEntries - 1},
  };
  for (const Case& c : cases) {
    const TextBlockLines lines = WrapTextBlock(c.text, FixedPitch(c.pitch));
    EXPECT_EQ(UsedLines(lines), c.lines) << c.name;
    EXPECT_EQ(lines[static_cast<std::size_t>(c.lastRow)], c.lines.back()) << c.name;
  }
}

// Entries align left, right (ending at 765) or centred; justified, they spread the missing pixels over the blanks.
TEST(TextBlock, AlignsAndJustifiesEntries) {
  EXPECT_EQ(AlignedTextX(131, 24, 80), 24);
  EXPECT_EQ(AlignedTextX(132, 24, 80), 24 + 744 - 80 - 3);
  EXPECT_EQ(AlignedTextX(133, 24, 80), 24 + 332);
  EXPECT_EQ(AlignedTextX(999, 24, 80), 24);
  // The entry, its width, the widest entry's width, and the gaps at its blanks.
  const std::tuple<const char*, int, int, std::vector<int>> cases[] = {
      {"a b c d", 90, 100, {4, 3, 3}},   // 10 missing over 3 blanks
      {"a b", 100, 100, {}},              // the widest is not stretched
      {"a b", 79, 100, {}},               // narrower than 0.8 of the widest
      {"a b", 80, 100, {20}},             // exactly 0.8 is stretched
      {"abc", 90, 100, {}},               // no blank to stretch
  };
  for (const auto& [entry, width, widest, gaps] : cases) {
    EXPECT_EQ(JustificationGaps(entry, width, widest), gaps) << entry;
  }
}

}  // namespace
