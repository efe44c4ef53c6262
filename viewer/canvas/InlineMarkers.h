#pragma once

#include <string_view>
#include <vector>

// Inline symbols written into a line's text: "\$k" (k = 1..4) stands for a
// bullet, "\#nn" (nn = 01..99, two digits) for icon picture nn.
struct InlineMarker {
  int position = 0;  // 1-based position of the backslash in the text
  int value = 0;     // bullet shape 1..4 or icon number 1..99
};

// Bullets by shape 1..4, each shape's markers left to right.
std::vector<InlineMarker> FindBulletMarkers(std::string_view text);
// Icons by number 1..99, each number's markers left to right.
std::vector<InlineMarker> FindIconMarkers(std::string_view text);
// For each character of the text, whether it is part of a bullet or icon
// marker (whose symbol covers it).
std::vector<bool> MarkerCharacters(std::string_view text);
