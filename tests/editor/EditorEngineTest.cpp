// The box's layout (93 columns, its own word wrap), line and page counts and edits; its files.
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

#include "editor/BoxText.h"
#include "editor/EditorFiles.h"
#include "editor/TextLayout.h"
#include "platform/SafeWrite.h"

namespace {

using Lines = std::vector<std::u16string>;

std::u16string Letters(char16_t letter, std::size_t count) { return std::u16string(count, letter); }

Lines Shown(const std::u16string& text) {
  Lines shown;
  for (const VisualLine& line : LayoutVisualLines(text)) shown.push_back(text.substr(line.start, line.length));
  return shown;
}

// Visual lines: an empty box has one, a long word fills 93 cells a line; 66 make a page.
TEST(TextLayoutTest, CountsVisualLinesAndWholePages) {
  EXPECT_EQ(CountVisualLines(u""), 1u);
  EXPECT_EQ(CountVisualLines(Letters(u'x', 100000)), 1076u);
  for (const auto& [lines, pages] : {std::pair<std::size_t, std::size_t>{65, 0}, {66, 1}, {131, 1}, {132, 2}}) {
    EXPECT_EQ(CountPages(lines), pages) << lines;
  }
}

TEST(TextLayoutTest, WrapsAsTheBoxShowsIt) {
  const std::u16string a93 = Letters(u'a', 93);
  const struct {
    const char* name; std::u16string text; Lines lines;
  } cases[] = {
      {"exactly 93 fit", a93, {a93}},
      {"a long word after a short one", u"ab " + Letters(u'x', 100), {u"ab ", Letters(u'x', 93), Letters(u'x', 7)}},
      {"a tab reaches column 9 and is no break", u"aaaa\t" + Letters(u'b', 95),
       {u"aaaa\t" + Letters(u'b', 85), Letters(u'b', 10)}},
      {"a surrogate pair is never parted", Letters(u'x', 92) + u"\U0001F600", {Letters(u'x', 92), u"\U0001F600"}},
      {"NUL and a lone surrogate are a cell each", std::u16string(93, u'\0') + u"\xDC00",
       {std::u16string(93, u'\0'), u"\xDC00"}},
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
    ASSERT_EQ(std::pair(box.Line(k).start, box.Line(k).length), std::pair(expected[k].start, expected[k].length)) << k;
  }
}

// Edits that change lines other than their own, then random edits of texts made of the pieces that matter.
TEST(BoxTextTest, EditsKeepAFreshLayout) {
  const std::u16string a92 = Letters(u'a', 92), a93 = Letters(u'a', 93);
  const struct {
    const char* name; std::u16string before; std::size_t at, count; std::u16string inserted;
  } cases[] = {
      {"a letter typed at column 93 pushes the word down", a92 + u" bbb", 92, 0, u"x"},
      {"deleting the blank before a word pulls it up a line", u"aaa " + a92 + u" b", 3, 1, u""},
      {"the letter that ended a run of blanks becomes a blank", a93 + u"   b c", 96, 1, u" "},
      {"LF typed after a lone CR joins them", u"a\rb", 2, 0, u"\n"},
      {"CR removed from CR LF leaves a lone LF", u"a\r\nb", 1, 1, u""},
      {"a digit typed after the break completes an icon marker", Letters(u'a', 91) + u"\\#0", 94, 0, u"7"},
      {"a replacement across paragraphs", u"uno dos\r\ntres\r\ncuatro " + a93, 4, 12, u"x y z"},
  };
  for (const auto& c : cases) {
    BoxText box;
    ASSERT_TRUE(box.SetText(c.before) && box.Replace(c.at, c.count, c.inserted)) << c.name;
    std::u16string after = c.before;
    EXPECT_EQ(box.Text(), after.replace(c.at, c.count, c.inserted)) << c.name;
    ASSERT_NO_FATAL_FAILURE(ExpectFreshLayout(box)) << c.name;
  }
  const std::u16string pieces[] = {u"a",  u"bb",    u" ",    u"    ", u"\r\n", u"\r",
                                   u"\n", u"word ", Letters(u'x', 95), Letters(u' ', 100),
                                   Letters(u'y', 40) + u" ", u"\t", u"\\#07", u"\\$1"};
  std::mt19937 random(20240607);
  const auto pick = [&random](std::size_t most) { return std::uniform_int_distribution<std::size_t>(0, most)(random); };
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

// The caret steps over CR LF and a surrogate pair whole; a wrap point belongs to the lower line.
TEST(BoxTextTest, CaretAndLinesOfOffsets) {
  BoxText box;
  box.SetText(u"a\r\n\U0001F600b");
  using Offsets = std::vector<std::size_t>;
  EXPECT_EQ(Offsets({box.NextPosition(1), box.NextPosition(2), box.NextPosition(3), box.NextPosition(6)}),
            Offsets({3, 3, 5, 6}));
  EXPECT_EQ(Offsets({box.PreviousPosition(3), box.PreviousPosition(5), box.PreviousPosition(0)}), Offsets({1, 3, 0}));
  box.SetText(Letters(u'a', 92) + u" bbb\r\nc");
  EXPECT_EQ(Offsets({box.LineOf(92), box.LineOf(93), box.LineOf(96), box.LineOf(98)}), Offsets({0, 1, 1, 2}));
  EXPECT_EQ(WithCrLfLineEnds(u"a\nb\rc\r\nd\n\r"), u"a\r\nb\r\nc\r\nd\r\n\r\n");
}

namespace fs = std::filesystem;

TEST(TextFromFileBytes, EveryLineEndsWithCrLf) {
  const struct {
    const char* name; std::string bytes; std::u16string text;
  } cases[] = {
      {"an empty file is one empty line", "", u"\r\n"},
      {"lone LF and lone CR end lines", "a\nb\rc", u"a\r\nb\r\nc\r\n"},
      {"a BOM is skipped, UTF-8 read", "\xEF\xBB\xBF\xC3\xA1rbol", u"\u00E1rbol\r\n"},
      {"invalid UTF-8 is Windows-1252", "\xE1rbol \x80", u"\u00E1rbol \u20AC\r\n"},
      {"Ctrl+Z ends the input", "abc\x1A" "def", u"abc\r\n"},
      {"NUL bytes are kept", std::string("a\0b", 3), std::u16string(u"a\0b\r\n", 5)},
      {"a character beyond the BMP", "\xF0\x9F\x98\x80", u"\U0001F600\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextFromFileBytes(c.bytes), c.text);
  }
  EXPECT_EQ(Utf8FromText(std::u16string(1, char16_t(0xD800)) + u"\u00E1"), "\xEF\xBF\xBD\xC3\xA1");
  EXPECT_EQ(TextFromUtf8("\xC3(\xF0\x9F"), u"\uFFFD(\uFFFD\uFFFD");
}

class EditorFilesTest : public testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }
  std::string PathOf(const std::string& name) const { return folder_.File(name); }
  std::string Get(const std::string& name) const { return ReadFileBytes(PathOf(name)); }
  TempFolder folder_;
};

// With format a file line per shown line, replacing even a read-only file; without, appended through links.
TEST_F(EditorFilesTest, WritingWithFormatWritesEachShownLineWithoutAppendsThroughLinksAndFailuresKeepTheFile) {
  const std::string cache = PathOf("cache.txt");
  ASSERT_FALSE(WriteTextAsShown(cache, u"").failed());
  EXPECT_EQ(Get("cache.txt"), "\r\n");
  ::chmod(cache.c_str(), 0444);
  const std::u16string w92(92, u'w');
  ASSERT_FALSE(WriteTextAsShown(cache, w92 + u" " + w92 + u" " + w92 + u"\r\n\r\nb\nc").failed());
  const std::string line(92, 'w');
  EXPECT_EQ(Get("cache.txt"), line + " \r\n" + line + " \r\n" + line + "\r\n\r\nb\r\nc\r\n");
  WriteFileBytes(PathOf("real.txt"), "old\r\n");
  fs::create_symlink(PathOf("real.txt"), PathOf("link.txt"));
  ASSERT_FALSE(AppendTextUnchanged(PathOf("link.txt"), u"uno, dos\r\ntres\r\n").failed());
  ASSERT_FALSE(AppendTextUnchanged(PathOf("link.txt"), u"x").failed());
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(Get("real.txt"), "old\r\nuno, dos\r\ntres\r\n\r\nx\r\n");
  // Failures are reported and keep the old file.
  EXPECT_EQ(AppendTextUnchanged(PathOf("missing/plain.txt"), u"x").number, ENOENT);
  WriteFileBytes(PathOf("plain.txt"), "old\r\n");
  SetWriteFailureAfterBytes(2);
  EXPECT_EQ(AppendTextUnchanged(PathOf("plain.txt"), u"new text").number, ENOSPC);
  EXPECT_EQ(Get("plain.txt"), "old\r\n");
  std::u16string text = u"kept";
  EXPECT_EQ(ReadTextFile(PathOf("missing.txt"), text).number, ENOENT);
  EXPECT_EQ(ReadTextFile(folder_.path(), text).number, EISDIR);
  EXPECT_EQ(text, u"kept");
}

}  // namespace
