#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

struct LinesCase { const char* name; std::string bytes; std::vector<std::string> lines; };  // in Windows-1252

TEST(CodePage, ReadsLinesByEncodingAndLineEndRules) {
  const std::vector<LinesCase> cases = {
      {"empty file gives one empty line", "", {""}},
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"lone LF", "a\nb", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"only CR bytes", "\r\r\r", {"", "", ""}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"0x1A ends the input", "a\r\nb\x1A" "c\r\nd", {"a", "b"}},
      {"UTF-8 accents become single bytes", "P\xC3\xA1gina \xE2\x82\xAC", {"P\xE1gina \x80"}},
      {"BOM skipped", "\xEF\xBB\xBFhi", {"hi"}},
      {"invalid UTF-8 is taken as Windows-1252", "P\xE1gina\r\n\xF1", {"P\xE1gina", "\xF1"}},
      {"characters outside the code page become ?", "\xE4\xB8\xAD x", {"? x"}},
      {"emoji becomes one ?", "\xF0\x9F\x98\x80", {"?"}},
      {"no limit on a line's length", std::string(1'000'000, 'x'), {std::string(1'000'000, 'x')}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadTextLinesCp1252(c.bytes), c.lines) << c.name;
}

// Every byte of the code page round trips; UTF-8 is told from what is not; a file decodes by the same rules.
TEST(CodePage, ConvertsBothWaysAndRecognisesValidUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(all)));
  const std::vector<std::pair<std::string, bool>> cases = {
      {"plain", true},
      {"\xC3\xB1", true},
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\xFF", false},
  };
  for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" "a\xC3\xB1" "\x1A" "zz"), "a\xC3\xB1");
  EXPECT_EQ(DecodeTextFile("a\xF1"), "a\xC3\xB1");
}

}  // namespace
