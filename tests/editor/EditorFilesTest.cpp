#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>

#include "editor/EditorFiles.h"
#include "platform/SafeWrite.h"
#include "texts/TextSet.h"

namespace {

namespace fs = std::filesystem;

class EditorFilesTest : public testing::Test {
 protected:
  void TearDown() override { SetWriteFailureAfterBytes(-1); }

  std::string PathOf(const std::string& name) const { return folder_.File(name); }
  void Put(const std::string& name, const std::string& bytes) const { WriteFileBytes(PathOf(name), bytes); }
  std::string Get(const std::string& name) const { return ReadFileBytes(PathOf(name)); }

  TempFolder folder_;
};

struct ReadCase {
  const char* name;
  std::string bytes;
  std::u16string text;
};

TEST(TextFromFileBytes, EveryLineEndsWithCrLf) {
  const ReadCase cases[] = {
      {"an empty file is one empty line", "", u"\r\n"},
      {"a last line without line end", "abc", u"abc\r\n"},
      {"a last line with line end", "abc\r\n", u"abc\r\n"},
      {"comma and blank stay in the line", "uno, dos", u"uno, dos\r\n"},
      {"leading blanks and tabs stay", "  \tx", u"  \tx\r\n"},
      {"lone LF ends lines", "a\nb\n", u"a\r\nb\r\n"},
      {"lone CR ends lines", "a\rb\r", u"a\r\nb\r\n"},
      {"an empty line between two", "a\r\n\r\nb", u"a\r\n\r\nb\r\n"},
      {"UTF-8 accents", "\xC3\xA1rbol", u"\u00E1rbol\r\n"},
      {"a BOM is skipped", "\xEF\xBB\xBFhola", u"hola\r\n"},
      {"invalid UTF-8 is Windows-1252", "\xE1rbol \x80", u"\u00E1rbol \u20AC\r\n"},
      {"Ctrl+Z ends the input", "abc\x1A" "def", u"abc\r\n"},
      {"NUL bytes are kept", std::string("a\0b", 3), std::u16string(u"a\0b\r\n", 5)},
      {"a character beyond the BMP", "\xF0\x9F\x98\x80", u"\U0001F600\r\n"},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextFromFileBytes(c.bytes), c.text);
  }
}

TEST(Utf8FromText, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8FromText(u"\u00E1\U0001F600"), "\xC3\xA1\xF0\x9F\x98\x80");
  EXPECT_EQ(Utf8FromText(std::u16string(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(TextFromUtf8("\xC3(\xF0\x9F"), u"\uFFFD(\uFFFD\uFFFD");
}

TEST_F(EditorFilesTest, WritingWithFormatWritesEachShownLine) {
  const std::string cache = PathOf("cache.txt");
  ASSERT_FALSE(WriteTextAsShown(cache, u"").failed());
  EXPECT_EQ(Get("cache.txt"), "\r\n");

  std::u16string paragraph;
  for (int k = 0; k < 3; ++k) paragraph += std::u16string(92, u'w') + u" ";
  paragraph.pop_back();
  ASSERT_FALSE(WriteTextAsShown(cache, paragraph).failed());
  const std::string line = std::string(92, 'w');
  EXPECT_EQ(Get("cache.txt"), line + " \r\n" + line + " \r\n" + line + "\r\n");

  ASSERT_FALSE(WriteTextAsShown(cache, u"uno\r\n\r\ndos").failed());
  EXPECT_EQ(Get("cache.txt"), "uno\r\n\r\ndos\r\n") << "the second write alone is kept";
}

TEST_F(EditorFilesTest, WritingWithFormatRewritesAReadOnlyFile) {
  Put("cache.txt", "old");
  ::chmod(PathOf("cache.txt").c_str(), 0444);
  ASSERT_FALSE(WriteTextAsShown(PathOf("cache.txt"), u"new").failed());
  EXPECT_EQ(Get("cache.txt"), "new\r\n");
}

TEST_F(EditorFilesTest, WriteFailuresAreReportedAndKeepTheOldFile) {
  fs::create_directory(PathOf("cache.txt"));
  EXPECT_EQ(WriteTextAsShown(PathOf("cache.txt"), u"x").number, EISDIR);

  Put("plain.txt", "old\r\n");
  SetWriteFailureAfterBytes(2);
  const FileError full = AppendTextUnchanged(PathOf("plain.txt"), u"new text");
  EXPECT_EQ(full.number, ENOSPC);
  EXPECT_EQ(Get("plain.txt"), "old\r\n");
  SetWriteFailureAfterBytes(-1);

  EXPECT_EQ(AppendTextUnchanged(PathOf("missing/plain.txt"), u"x").number, ENOENT);
  EXPECT_EQ(AppendTextUnchanged(PathOf("cache.txt"), u"x").number, EISDIR);
}

TEST_F(EditorFilesTest, WritingWithoutFormatAppends) {
  const std::string plain = PathOf("plain.txt");
  ASSERT_FALSE(AppendTextUnchanged(plain, u"uno\r\ndos").failed());
  ASSERT_FALSE(AppendTextUnchanged(plain, u"uno\r\ndos").failed());
  EXPECT_EQ(Get("plain.txt"), "uno\r\ndos\r\nuno\r\ndos\r\n");
}

TEST_F(EditorFilesTest, AppendingThroughALinkKeepsTheLink) {
  Put("real.txt", "old\r\n");
  fs::create_symlink(PathOf("real.txt"), PathOf("link.txt"));
  ASSERT_FALSE(AppendTextUnchanged(PathOf("link.txt"), u"new").failed());
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(Get("real.txt"), "old\r\nnew\r\n");
}

// A file read into the box and written without format into an empty file
// comes out with one more line end: the box's text ends with one already.
TEST_F(EditorFilesTest, ReadThenWrittenWithoutFormatGainsOneLineEnd) {
  Put("in.txt", "uno, dos\r\ntres");
  std::u16string text;
  ASSERT_FALSE(ReadTextFile(PathOf("in.txt"), text).failed());
  ASSERT_FALSE(AppendTextUnchanged(PathOf("out.txt"), text).failed());
  EXPECT_EQ(Get("out.txt"), "uno, dos\r\ntres\r\n\r\n");
}

TEST_F(EditorFilesTest, ReadingReportsWhatCannotBeRead) {
  std::u16string text = u"kept";
  EXPECT_EQ(ReadTextFile(PathOf("missing.txt"), text).number, ENOENT);
  EXPECT_EQ(ReadTextFile(folder_.path(), text).number, EISDIR);
  EXPECT_EQ(text, u"kept");
}

struct ChoiceCase {
  const char* name;
  std::string lastName;
  FileDialogMode mode;
  std::string folder;
  std::string proposed;
  std::string filter;
};

TEST(MakeFileChoice, SplitsTheLastNameAtItsLastSlash) {
  InstallTextSet(SpanishTexts());
  const ChoiceCase cases[] = {
      {"nothing chosen yet", "", FileDialogMode::Open, "", "", "Texto"},
      {"a full path", "/home/ana/notas.txt", FileDialogMode::Open, "/home/ana/", "notas.txt", "Texto"},
      {"blanks around are dropped", "  /tmp/a b.txt  ", FileDialogMode::Save, "/tmp/", "a b.txt", "txt"},
      {"a bare name", "notas.txt", FileDialogMode::Save, "", "notas.txt", "txt"},
      {"a folder", "/tmp/", FileDialogMode::Open, "/tmp/", "", "Texto"},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const FileChoice choice = MakeFileChoice(c.lastName, c.mode);
    EXPECT_EQ(choice.startFolder, c.folder);
    EXPECT_EQ(choice.proposedName, c.proposed);
    EXPECT_EQ(choice.filterName, c.filter);
    EXPECT_EQ(choice.defaultSuffix, c.filter);
    EXPECT_EQ(choice.pattern, "*.*");
  }
  InstallTextSet(EnglishTexts());
  EXPECT_EQ(MakeFileChoice("", FileDialogMode::Open).filterName, "Text");
}

}  // namespace
