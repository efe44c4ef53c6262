#include "viewer/canvas/InlineMarkers.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::pair<int, int>> Pairs(const std::vector<InlineMarker>& markers) {
  std::vector<std::pair<int, int>> out;
  for (const auto& m : markers) out.emplace_back(m.position, m.value);
  return out;
}

TEST(InlineMarkers, FindsBulletsAndIcons) {
  struct Case {
    const char* text;
    std::vector<std::pair<int, int>> bullets, icons;
  };
  const Case cases[] = {
      {"\\$3 item", {{1, 3}}, {}},
      {"\\$5 stays text", {}, {}},
      {"\\$0", {}, {}},
      {"end \\$", {}, {}},
      {"\\$4a\\$1b\\$4", {{5, 1}, {1, 4}, {9, 4}}, {}},  // by shape, then left to right
      {"\\#07 icon", {}, {{1, 7}}},
      {"\\#7 single digit", {}, {}},
      {"\\#00 zero", {}, {}},
      {"\\#0", {}, {}},
      {"\\#99\\#01", {}, {{5, 1}, {1, 99}}},
      {"\\\\#12", {}, {{2, 12}}},
      {"\\#1x", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Pairs(FindBulletMarkers(c.text)), c.bullets) << c.text;
    EXPECT_EQ(Pairs(FindIconMarkers(c.text)), c.icons) << c.text;
  }
}

}  // namespace
