#include "viewer/settings/SettingsValues.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsValues, LeadingNumberRoundsHalfToEvenAndIsClampedToTheField) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"11.5", 12}, {"10.5", 10}, {"-2.5", -2}, {"-3.5", -4}, {"2.5000001", 3}, {"2.4999999", 2},
      {"-0.6", -1}, {" \t 7", 7}, {"+8", 8}, {"3.7xyz", 4}, {"1e3", 1}, {"1,5", 1}, {"- 5", 0}, {"--5", 0},
      {"", 0}, {".6", 1}, {"-.5", 0}, {"x12", 0}, {"2147483647.5", INT32_MAX}, {"2147483648", INT32_MAX},
      {"-2147483649", INT32_MIN}, {"-99999999999999999999999999999999999999.5", INT32_MIN},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ParseSettingsNumber<std::int32_t>(text), expected) << '"' << text << '"';
  }
  // Narrow and unsigned fields clamp to their own range.
  EXPECT_EQ(ParseSettingsNumber<std::int16_t>("32767.5"), 32767);
  EXPECT_EQ(ParseSettingsNumber<std::int16_t>("-70000"), -32768);
  EXPECT_EQ(ParseSettingsNumber<std::uint32_t>("-0.5"), 0u);
  EXPECT_EQ(ParseSettingsNumber<std::uint32_t>("4294967295"), 4294967295u);
  EXPECT_EQ(ParseSettingsNumber<std::uint32_t>("99999999999"), 4294967295u);
}

// Numbers are written with a blank or a minus sign; a footer text is cut and cannot break the file.
TEST(SettingsValues, NumbersAndFooterTextsAreWrittenSafely) {
  EXPECT_EQ(FormatSettingsNumber(0), " 0");
  EXPECT_EQ(FormatSettingsNumber(INT32_MIN), "-2147483648");
  EXPECT_EQ(FormatSettingsNumber(4294967295u), " 4294967295");
  const struct { std::string text, expected; } cases[] = {
      {"P\xE1gina \xF1", "P\xE1gina \xF1"},
      {std::string(150, 'a'), std::string(99, 'a')},
      {std::string(99, 'b') + "c", std::string(99, 'b')},
      {std::string("ab\0cd", 5), "ab"},
      {"a\r\n[Fichero]\x1A\tb", "a  [Fichero]  b"},
  };
  for (const auto& c : cases) EXPECT_EQ(FitFooterText(c.text), c.expected) << c.text;
}

}  // namespace
