#include "viewer/settings/PageLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(PageLabel, NumbersPagesAsTheSettingsSay) {
  struct Case {
    int page;
    PageLabelStyle style;
    const char* expected;
  };
  const Case cases[] = {
      {7, {1, 1, 1}, "Página 7"},
      {7, {1, 1, 0}, "7"},
      {14, {2, 1, 1}, "Página XIV"},
      {14, {2, 2, 0}, "xiv"},
      {200, {2, 1, 0}, "CC"},
      {199, {2, 1, 0}, "CXCIX"},
      {49, {2, 1, 0}, "XLIX"},
      {99, {2, 1, 0}, "XCIX"},
      {7, {2, 0, 0}, "vii"},   // any case value but 1 is lower case
      {7, {2, 3, 0}, "vii"},
      {7, {0, 1, 0}, "VII"},   // any numbering but 1 is Roman
      {7, {1, 1, 5}, "Página 7"},
      {0, {2, 1, 1}, "Página "},  // no numeral outside 1..200
      {201, {2, 1, 0}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PageLabel(c.page, c.style, "Página "), c.expected) << c.page;
  }
}

TEST(PageLabel, RomanTableIsTheSubtractiveForm) {
  const auto& table = BuildRomanNumerals();
  EXPECT_EQ(table[1], "I");
  EXPECT_EQ(table[4], "IV");
  EXPECT_EQ(table[9], "IX");
  EXPECT_EQ(table[40], "XL");
  EXPECT_EQ(table[90], "XC");
  std::size_t longest = 0;
  for (int page = 1; page <= 200; ++page) longest = std::max(longest, table[page].size());
  EXPECT_EQ(longest, 9u);  // CLXXXVIII
}

}  // namespace
