#include "viewer/settings/PageLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(PageLabel, NumbersPagesAsTheSettingsSay) {
  const std::tuple<int, PageLabelStyle, const char*> cases[] = {
      {7, {1, 1, 1}, "Página 7"},
      {7, {1, 1, 0}, "7"},
      {14, {2, 1, 1}, "Página XIV"},
      {14, {2, 2, 0}, "xiv"},
      {200, {2, 1, 0}, "CC"},
      {199, {2, 1, 0}, "CXCIX"},
      {188, {2, 1, 0}, "CLXXXVIII"},
      {4, {2, 1, 0}, "IV"},
      {7, {2, 3, 0}, "vii"},   // any case value but 1 is lower case
      {7, {0, 1, 0}, "VII"},   // any numbering but 1 is Roman
      {7, {1, 1, 5}, "Página 7"},
      {0, {2, 1, 1}, "Página "},  // no numeral outside 1..200
      {201, {2, 1, 0}, ""},
  };
  for (const auto& [page, style, expected] : cases) EXPECT_EQ(PageLabel(page, style, "Página "), expected) << page;
}

}  // namespace
