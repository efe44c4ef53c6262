// How the box lays text out (93 columns, its own word wrap), counts lines
// and 66-line pages, and keeps its lines edit by edit.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/BoxText.h"
#include "editor/TextLayout.h"

namespace {

using Lines = std::vector<std::u16string>;

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
  std::u16string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// `count` short lines joined by CR LF; or one paragraph wrapped into `count` lines.
std::u16string HardLines(std::size_t count) { return u"x" + Repeat(u"\r\nx", count - 1); }
std::u16string WrappedParagraph(std::size_t count) {
  std::u16string text = Repeat(Letters(u'w', 92) + u" ", count);
  text.pop_back();
  return text;
}

Lines Shown(const std::u16string& text) {
  Lines shown;
  for (const VisualLine& line : LayoutVisualLines(text)) shown.push_back(text.substr(line.start, line.length));
  return shown;
}

TEST(TextLayoutTest, CountsVisualLinesAndWholePages) {
  const struct {
    const char* name; std::u16string text; std::size_t lines, pages;
  } cases[] = {
      {"the ruler's asterisk wraps",
       u"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*", 2, 0},
      {"an empty box", u"", 1, 0},
      {"a line end gives an empty last line", u"abc\r\n", 2, 0},
      {"65 lines", HardLines(65), 65, 0},
      {"66 lines", HardLines(66), 66, 1},
      {"131 lines", HardLines(131), 131, 1},
      {"132 lines", HardLines(132), 132, 2},
      {"one paragraph over 70 lines", WrappedParagraph(70), 70, 1},
      {"100,000 characters without blanks", Letters(u'x', 100000), 1076, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CountVisualLines(c.text), c.lines);
    EXPECT_EQ(CountPages(c.lines), c.pages);
  }
}

TEST(TextLayoutTest, WrapsAsTheBoxShowsIt) {
  const std::u16string a93 = Letters(u'a', 93);
  const struct {
    const char* name; std::u16string text; Lines lines;
  } cases[] = {
      {"exactly 93 fit", a93, {a93}},
      {"the 94th breaks a word off", a93 + u"b", {a93, u"b"}},
      {"break after the last blank that fits", Letters(u'a', 90) + u" bbbbb", {Letters(u'a', 90) + u" ", u"bbbbb"}},
      {"all blanks at a break stay on the upper line", a93 + u"   b", {a93 + u"   ", u"b"}},
      {"blanks ending a paragraph", a93 + u"  \r\nc", {a93 + u"  ", u"c"}},
      {"a long word after a short one", u"ab " + Letters(u'x', 100), {u"ab ", Letters(u'x', 93), Letters(u'x', 7)}},
      {"a tab is one cell and no break", u"aaaa\t" + Letters(u'b', 95),
       {u"aaaa\t" + Letters(u'b', 88), Letters(u'b', 7)}},
      {"a surrogate pair is never parted", Letters(u'x', 92) + u"\U0001F600", {Letters(u'x', 92), u"\U0001F600"}},
      {"NUL and a lone surrogate are a cell each", std::u16string(93, u'\0') + u"\xD800",
       {std::u16string(93, u'\0'), u"\xD800"}},
      {"an empty line between paragraphs", u"a\r\n\r\nb", {u"a", u"", u"b"}},
      {"lone LF and lone CR end lines", u"a\nb\rc", {u"a", u"b", u"c"}},
      {"CR before CR LF", u"a\r\r\nb", {u"a", u"", u"b"}},
      {"a line end after a full line", a93 + u"\r\n", {a93, u""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Shown(c.text), c.lines);
    EXPECT_EQ(CountVisualLines(c.text), c.lines.size());
  }
}

// The box's lines, kept edit by edit, must be exactly a fresh layout.
void ExpectFreshLayout(const BoxText& box) {
  const std::vector<VisualLine> expected = LayoutVisualLines(box.Text());
  ASSERT_EQ(box.LineCount(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    ASSERT_EQ(box.Line(k).start, expected[k].start) << "line " << k;
    ASSERT_EQ(box.Line(k).length, expected[k].length) << "line " << k;
  }
}

// Edits that change lines other than their own.
TEST(BoxTextTest, EditsKeepAFreshLayout) {
  const std::u16string a92 = Letters(u'a', 92), a93 = Letters(u'a', 93);
  const struct {
    const char* name; std::u16string before; std::size_t at, count; std::u16string inserted;
  } cases[] = {
      {"a letter typed at column 93 pushes the word down", a92 + u" bbb", 92, 0, u"x"},
      {"deleting the blank before a word pulls it up a line", u"aaa " + a92 + u" b", 3, 1, u""},
      {"the letter that ended a run of blanks becomes a blank", a93 + u"   b c", 96, 1, u" "},
      {"a blank ends a 200-letter word", Letters(u'w', 200), 100, 0, u" "},
      {"an empty paragraph removed", u"a\r\n\r\nb", 1, 2, u""},
      {"LF typed after a lone CR joins them", u"a\rb", 2, 0, u"\n"},
      {"CR removed from CR LF leaves a lone LF", u"a\r\nb", 1, 1, u""},
      {"everything deleted", a93 + u" " + a93 + u"\r\nxyz", 0, 191, u""},
      {"a replacement across paragraphs", u"uno dos\r\ntres\r\ncuatro " + a93, 4, 12, u"x y z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BoxText box;
    ASSERT_TRUE(box.SetText(c.before));
    ASSERT_TRUE(box.Replace(c.at, c.count, c.inserted));
    std::u16string after = c.before;
    EXPECT_EQ(box.Text(), after.replace(c.at, c.count, c.inserted));
    ExpectFreshLayout(box);
  }
}

// Random edits of texts made of the pieces that matter to the layout.
TEST(BoxTextTest, RandomEditsKeepAFreshLayout) {
  const std::u16string pieces[] = {u"a",  u"bb",    u" ",    u"    ", u"\r\n", u"\r",
                                   u"\n", u"word ", Letters(u'x', 95), Letters(u' ', 100),
                                   Letters(u'y', 40) + u" "};
  std::mt19937 random(20240607);
  const auto pick = [&random](std::size_t limit) { return std::uniform_int_distribution<std::size_t>(0, limit)(random); };
  const auto somePieces = [&](std::size_t most) {
    std::u16string text;
    for (std::size_t k = pick(most); k > 0; --k) text += pieces[pick(std::size(pieces) - 1)];
    return text;
  };
  for (int round = 0; round < 40; ++round) {
    BoxText box;
    ASSERT_TRUE(box.SetText(somePieces(200)));
    for (int edit = 0; edit < 100; ++edit) {
      const std::size_t at = pick(box.Size());
      const std::size_t count = pick(3) == 0 ? pick(box.Size() - at) : pick(std::min<std::size_t>(4, box.Size() - at));
      ASSERT_TRUE(box.Replace(at, count, somePieces(3)));
      ASSERT_NO_FATAL_FAILURE(ExpectFreshLayout(box)) << "round " << round << " edit " << edit;
    }
  }
}

// The caret steps over CR LF and a surrogate pair whole; a wrap point
// belongs to the lower line.
TEST(BoxTextTest, CaretAndLinesOfOffsets) {
  BoxText box;
  box.SetText(u"a\r\n\U0001F600b");
  EXPECT_EQ(std::vector<std::size_t>({box.NextPosition(1), box.NextPosition(2), box.NextPosition(3), box.NextPosition(6)}),
            std::vector<std::size_t>({3, 3, 5, 6}));
  EXPECT_EQ(std::vector<std::size_t>({box.PreviousPosition(3), box.PreviousPosition(5), box.PreviousPosition(0)}),
            std::vector<std::size_t>({1, 3, 0}));
  box.SetText(Letters(u'a', 92) + u" bbb\r\nc");
  EXPECT_EQ(std::vector<std::size_t>({box.LineOf(92), box.LineOf(93), box.LineOf(96), box.LineOf(98)}),
            std::vector<std::size_t>({0, 1, 1, 2}));
  EXPECT_EQ(WithCrLfLineEnds(u"a\nb\rc\r\nd\n\r"), u"a\r\nb\r\nc\r\nd\r\n\r\n");
}

}  // namespace
