#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/TextLayout.h"

namespace {

const std::u16string kRuler =
    u"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123*";

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
  std::u16string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

std::u16string RepeatLetter(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

// count short lines joined by CR LF: that many visual lines.
std::u16string MakeHardLines(std::size_t count) {
  std::u16string text = u"x";
  for (std::size_t i = 1; i < count; ++i) text += u"\r\nx";
  return text;
}

// One paragraph of words that the box wraps into exactly count lines.
std::u16string MakeWrappedParagraph(std::size_t count) {
  std::u16string text = Repeat(RepeatLetter(u'w', 92) + u" ", count);
  text.pop_back();
  return text;
}

std::vector<std::u16string> LayOutAsLines(const std::u16string& text) {
  std::vector<std::u16string> shown;
  for (const VisualLine& line : LayoutVisualLines(text)) {
    shown.push_back(text.substr(line.start, line.length));
  }
  return shown;
}

struct CountCase {
  const char* name;
  std::u16string text;
  std::size_t lines;
  std::size_t pages;
};

TEST(TextLayoutTest, CountsVisualLinesAndWholePages) {
  const CountCase cases[] = {
      {"the ruler's asterisk wraps", kRuler, 2, 0},
      {"an empty box", u"", 1, 0},
      {"a line end gives an empty last line", u"abc\r\n", 2, 0},
      {"65 lines", MakeHardLines(65), 65, 0},
      {"66 lines", MakeHardLines(66), 66, 1},
      {"131 lines", MakeHardLines(131), 131, 1},
      {"132 lines", MakeHardLines(132), 132, 2},
      {"one paragraph over 70 lines", MakeWrappedParagraph(70), 70, 1},
      {"100,000 characters without blanks", RepeatLetter(u'x', 100000), 1076, 16},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t lines = CountVisualLines(c.text);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(CountPages(lines), c.pages);
  }
}

struct WrapCase {
  const char* name;
  std::u16string text;
  std::vector<std::u16string> lines;
};

TEST(TextLayoutTest, WrapsAsTheBoxShowsIt) {
  const std::u16string a93 = RepeatLetter(u'a', 93);
  const WrapCase cases[] = {
      {"exactly 93 fit", a93, {a93}},
      {"93 with blanks fit", u"ab " + RepeatLetter(u'c', 90), {u"ab " + RepeatLetter(u'c', 90)}},
      {"the 94th breaks a word off", a93 + u"b", {a93, u"b"}},
      {"break after the last blank that fits",
       RepeatLetter(u'a', 90) + u" bbbbb",
       {RepeatLetter(u'a', 90) + u" ", u"bbbbb"}},
      {"a blank in the 94th cell stays on the upper line", a93 + u" b", {a93 + u" ", u"b"}},
      {"all blanks at a break stay on the upper line", a93 + u"   b", {a93 + u"   ", u"b"}},
      {"blanks ending a paragraph", a93 + u"  \r\nc", {a93 + u"  ", u"c"}},
      {"a long word after a short one", u"ab " + RepeatLetter(u'x', 100),
       {u"ab ", RepeatLetter(u'x', 93), RepeatLetter(u'x', 7)}},
      {"a line of blanks then a word", RepeatLetter(u' ', 100) + u"x", {RepeatLetter(u' ', 100), u"x"}},
      {"a leading blank before a long word", u" " + RepeatLetter(u'x', 100),
       {u" ", RepeatLetter(u'x', 93), RepeatLetter(u'x', 7)}},
      {"a tab is one cell and no break", u"aaaa\t" + RepeatLetter(u'b', 95),
       {u"aaaa\t" + RepeatLetter(u'b', 88), RepeatLetter(u'b', 7)}},
      {"NUL is one cell", std::u16string(94, u'\0'),
       {std::u16string(93, u'\0'), std::u16string(1, u'\0')}},
      {"a surrogate pair is never parted", RepeatLetter(u'x', 92) + u"\U0001F600",
       {RepeatLetter(u'x', 92), u"\U0001F600"}},
      {"an empty line between paragraphs", u"a\r\n\r\nb", {u"a", u"", u"b"}},
      {"lone LF and lone CR end lines", u"a\nb\rc", {u"a", u"b", u"c"}},
      {"CR before CR LF", u"a\r\r\nb", {u"a", u"", u"b"}},
      {"a line end after a full line", a93 + u"\r\n", {a93, u""}},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LayOutAsLines(c.text), c.lines);
    EXPECT_EQ(CountVisualLines(c.text), c.lines.size());
  }
}

TEST(TextLayoutTest, WritesOneFileLinePerVisualLine) {
  EXPECT_EQ(FormatAsShown(u""), u"\r\n");
  EXPECT_EQ(FormatAsShown(u"Texto cargado\r\n"), u"Texto cargado\r\n\r\n");
  EXPECT_EQ(FormatAsShown(u"a\nb"), u"a\r\nb\r\n");

  const std::u16string paragraph = MakeWrappedParagraph(3);
  const std::u16string line = RepeatLetter(u'w', 92) + u" ";
  EXPECT_EQ(FormatAsShown(paragraph), line + u"\r\n" + line + u"\r\n" + RepeatLetter(u'w', 92) + u"\r\n");
}

// Any text, however hostile: the lines take every unit once, in order, and
// are parted only by one line end or by a wrap; none is wider than the box
// but for blanks; counts, layout and the written form agree.
void ExpectSoundLayout(const std::u16string& text) {
  const std::vector<VisualLine> lines = LayoutVisualLines(text);
  ASSERT_FALSE(lines.empty());
  ASSERT_EQ(CountVisualLines(text), lines.size());
  std::size_t expectedStart = 0;
  std::size_t shownUnits = 0;
  for (const VisualLine& line : lines) {
    const std::u16string_view gap(text.data() + expectedStart, line.start - expectedStart);
    ASSERT_TRUE(gap.empty() || gap == u"\r\n" || gap == u"\r" || gap == u"\n");
    const std::u16string_view shown(text.data() + line.start, line.length);
    ASSERT_EQ(shown.find_first_of(u"\r\n"), std::u16string_view::npos);
    if (shown.size() > kEditorColumns) {
      ASSERT_EQ(shown.find_first_not_of(u' ', kEditorColumns), std::u16string_view::npos);
    }
    expectedStart = line.start + line.length;
    shownUnits += line.length;
  }
  ASSERT_EQ(expectedStart, text.size());
  ASSERT_EQ(FormatAsShown(text).size(), shownUnits + 2 * lines.size());
}

TEST(TextLayoutTest, StaysSoundOnHostileText) {
  std::u16string mixed;
  for (int i = 0; i < 5000; ++i) {
    mixed += (i % 7 == 0) ? u"\r" : (i % 11 == 0) ? u"\n" : (i % 13 == 0) ? u"\r\n" : u"";
    mixed += RepeatLetter(static_cast<char16_t>(u'a' + i % 26), static_cast<std::size_t>(i % 150));
    mixed += RepeatLetter(u' ', static_cast<std::size_t>(i % 5));
    mixed += (i % 17 == 0) ? std::u16string(3, u'\0') : u"\t";
    mixed += (i % 19 == 0) ? u"\xD800" : u"";  // a lone surrogate from invalid input
  }
  const std::u16string cases[] = {
      mixed,
      RepeatLetter(u'x', 100000),
      RepeatLetter(u' ', 100000),
      RepeatLetter(u'\n', 1000) + RepeatLetter(u'\r', 1000) + Repeat(u"\r\n", 1000),
      Repeat(u"palabra ", 2500000),  // 20 MB
  };
  for (const std::u16string& text : cases) ExpectSoundLayout(text);
}

}  // namespace
