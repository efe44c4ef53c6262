// Text files in and out of the box: how bytes become the box's text, how the
// box's text is written with and without format, and what failures report.
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "editor/EditorFiles.h"
#include "platform/SafeWrite.h"

namespace {

namespace fs = std::filesystem;

TEST(TextFromFileBytes, EveryLineEndsWithCrLf) {
  const struct {
    const char* name; std::string bytes; std::u16string text;
  } cases[] = {
      {"an empty file is one empty line", "", u"\r\n"},
      {"a last line without line end", "abc", u"abc\r\n"},
      {"a last line with line end", "abc\r\n", u"abc\r\n"},
      {"comma, blanks and tabs stay in the line", "  \tuno, dos", u"  \tuno, dos\r\n"},
      {"lone LF and lone CR end lines", "a\nb\rc", u"a\r\nb\r\nc\r\n"},
      {"an empty line between two", "a\r\n\r\nb", u"a\r\n\r\nb\r\n"},
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

// One file line per shown line; each write replaces the file, even a
// read-only one.
TEST_F(EditorFilesTest, WritingWithFormatWritesEachShownLine) {
  const std::string cache = PathOf("cache.txt");
  ASSERT_FALSE(WriteTextAsShown(cache, u"").failed());
  EXPECT_EQ(Get("cache.txt"), "\r\n");
  ::chmod(cache.c_str(), 0444);
  const std::u16string w92(92, u'w');
  ASSERT_FALSE(WriteTextAsShown(cache, w92 + u" " + w92 + u" " + w92 + u"\r\n\r\nb\nc").failed());
  const std::string line(92, 'w');
  EXPECT_EQ(Get("cache.txt"), line + " \r\n" + line + " \r\n" + line + "\r\n\r\nb\r\nc\r\n");
}

// A file read into the box and written without format twice comes out with
// one more line end each time: the box's text ends with one already.
TEST_F(EditorFilesTest, WritingWithoutFormatAppendsThroughLinks) {
  WriteFileBytes(PathOf("in.txt"), "uno, dos\r\ntres");
  std::u16string text;
  ASSERT_FALSE(ReadTextFile(PathOf("in.txt"), text).failed());
  WriteFileBytes(PathOf("real.txt"), "old\r\n");
  fs::create_symlink(PathOf("real.txt"), PathOf("link.txt"));
  ASSERT_FALSE(AppendTextUnchanged(PathOf("link.txt"), text).failed());
  ASSERT_FALSE(AppendTextUnchanged(PathOf("link.txt"), u"x").failed());
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(Get("real.txt"), "old\r\nuno, dos\r\ntres\r\n\r\nx\r\n");
}

TEST_F(EditorFilesTest, FailuresAreReportedAndKeepTheOldFile) {
  fs::create_directory(PathOf("cache.txt"));
  EXPECT_EQ(WriteTextAsShown(PathOf("cache.txt"), u"x").number, EISDIR);
  EXPECT_EQ(AppendTextUnchanged(PathOf("cache.txt"), u"x").number, EISDIR);
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
