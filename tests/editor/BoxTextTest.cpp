#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/BoxText.h"

namespace {

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

// The box's lines must be exactly the engine's lines of the same text.
void ExpectEngineLayout(const BoxText& box) {
  const std::vector<VisualLine> expected = LayoutVisualLines(box.Text());
  ASSERT_EQ(box.LineCount(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const VisualLine line = box.Line(k);
    ASSERT_EQ(line.start, expected[k].start) << "line " << k;
    ASSERT_EQ(line.length, expected[k].length) << "line " << k;
  }
}

struct EditCase {
  const char* name;
  std::u16string before;
  std::size_t at;
  std::size_t count;
  std::u16string inserted;
};

// Edits that change lines other than their own, where keeping the lines
// edit by edit could go wrong.
TEST(BoxTextTest, EditsKeepTheEngineLayout) {
  const std::u16string a92 = Letters(u'a', 92);
  const std::u16string a93 = Letters(u'a', 93);
  const std::u16string word200 = Letters(u'w', 200);
  const EditCase cases[] = {
      {"a blank typed at column 94 moves nothing", a93 + u"b", 93, 0, u" "},
      {"a letter typed at column 93 pushes the word down", a92 + u" bbb", 92, 0, u"x"},
      {"deleting a blank at column 93 joins two words", a92 + u" bbb", 92, 1, u""},
      {"deleting the blank before a word pulls it up a line", u"aaa " + a92 + u" b", 3, 1, u""},
      {"shortening the first word lets the second come up", u"xxxx " + Letters(u'y', 90), 0, 3, u""},
      {"a blank inside the run kept at a break", a93 + u"     b", 95, 0, u" "},
      {"the letter that ended a run of blanks becomes a blank", a93 + u"   b c", 96, 1, u" "},
      {"a blank ends a 200-letter word", word200, 100, 0, u" "},
      {"a 200-letter word typed at the start", u"a b c", 0, 0, word200},
      {"an empty paragraph typed between two", u"a\r\nb", 3, 0, u"\r\n"},
      {"an empty paragraph removed", u"a\r\n\r\nb", 1, 2, u""},
      {"LF typed after a lone CR joins them", u"a\rb", 2, 0, u"\n"},
      {"LF removed from CR LF leaves a lone CR", u"a\r\nb", 2, 1, u""},
      {"CR removed from CR LF leaves a lone LF", u"a\r\nb", 1, 1, u""},
      {"a line end typed at the end", u"abc", 3, 0, u"\r\n"},
      {"everything deleted", a93 + u" " + a93 + u"\r\nxyz", 0, 191, u""},
      {"text typed into an empty box", u"", 0, 0, a93 + u"b"},
      {"a line end typed into a wrapped paragraph",
       Letters(u'a', 50) + u" " + Letters(u'b', 50) + u" " + Letters(u'c', 50), 60, 0, u"\r\n"},
      {"a replacement across paragraphs", u"uno dos\r\ntres\r\ncuatro " + a93, 4, 12, u"x y z"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    BoxText box;
    ASSERT_TRUE(box.SetText(c.before));
    ExpectEngineLayout(box);
    ASSERT_TRUE(box.Replace(c.at, c.count, c.inserted));
    std::u16string after = c.before;
    after.replace(c.at, c.count, c.inserted);
    ASSERT_EQ(box.Text(), after);
    ExpectEngineLayout(box);
  }
}

// Many random edits of texts made of the pieces that matter to the layout:
// after every edit the lines kept edit by edit equal a fresh layout.
TEST(BoxTextTest, RandomEditsKeepTheEngineLayout) {
  const std::u16string pieces[] = {u"a",  u"bb",    u" ",    u"    ", u"\r\n", u"\r",
                                   u"\n", u"word ", Letters(u'x', 95), Letters(u' ', 100),
                                   Letters(u'y', 40) + u" "};
  std::mt19937 random(20240607);
  const auto pick = [&random](std::size_t limit) {
    return std::uniform_int_distribution<std::size_t>(0, limit)(random);
  };
  for (int round = 0; round < 40; ++round) {
    BoxText box;
    std::u16string start;
    for (std::size_t k = pick(200); k > 0; --k) start += pieces[pick(std::size(pieces) - 1)];
    ASSERT_TRUE(box.SetText(start));
    for (int edit = 0; edit < 100; ++edit) {
      const std::size_t at = pick(box.Size());
      const std::size_t count = pick(3) == 0 ? pick(box.Size() - at) : pick(std::min<std::size_t>(4, box.Size() - at));
      std::u16string inserted;
      for (std::size_t k = pick(3); k > 0; --k) inserted += pieces[pick(std::size(pieces) - 1)];
      ASSERT_TRUE(box.Replace(at, count, inserted));
      ASSERT_NO_FATAL_FAILURE(ExpectEngineLayout(box)) << "round " << round << " edit " << edit;
    }
  }
}

TEST(BoxTextTest, TypingIntoALongParagraphKeepsTheLayout) {
  std::u16string text;
  for (int k = 0; k < 3000; ++k) text += u"palabra ";
  BoxText box;
  ASSERT_TRUE(box.SetText(text));
  for (std::size_t k = 0; k < 50; ++k) ASSERT_TRUE(box.Replace(k * 7, 0, u"x"));
  ExpectEngineLayout(box);
}

struct PositionCase {
  const char* name;
  std::u16string text;
  std::size_t from;
  std::size_t next;
  std::size_t previous;
};

TEST(BoxTextTest, CaretStepsOverLineEndsAndSurrogatePairsWhole) {
  const PositionCase cases[] = {
      {"over CR LF", u"a\r\nb", 1, 3, 0},
      {"back over CR LF", u"a\r\nb", 3, 4, 1},
      {"from inside CR LF", u"a\r\nb", 2, 3, 0},
      {"over a lone CR", u"a\rb", 1, 2, 0},
      {"over a pair", u"a\U0001F600b", 1, 3, 0},
      {"back over a pair", u"a\U0001F600b", 3, 4, 1},
      {"at the end", u"ab", 2, 2, 1},
      {"at the start", u"ab", 0, 1, 0},
  };
  for (const PositionCase& c : cases) {
    SCOPED_TRACE(c.name);
    BoxText box;
    box.SetText(c.text);
    EXPECT_EQ(box.NextPosition(c.from), c.next);
    EXPECT_EQ(box.PreviousPosition(c.from), c.previous);
  }
}

TEST(BoxTextTest, LineOfAWrapPointIsTheLowerLine) {
  BoxText box;
  box.SetText(Letters(u'a', 92) + u" bbb\r\nc");
  ASSERT_EQ(box.LineCount(), 3u);
  EXPECT_EQ(box.LineOf(92), 0u);
  EXPECT_EQ(box.LineOf(93), 1u);
  EXPECT_EQ(box.LineOf(96), 1u);  // the CR
  EXPECT_EQ(box.LineOf(98), 2u);
}

TEST(BoxTextTest, LineEndsBecomeCrLf) {
  EXPECT_EQ(WithCrLfLineEnds(u"a\nb\rc\r\nd\n\r"), u"a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(WithCrLfLineEnds(u""), u"");
}

}  // namespace
