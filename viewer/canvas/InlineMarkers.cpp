#include "viewer/canvas/InlineMarkers.h"

#include <algorithm>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every "\" + `tag` in the text with the value its digits give (0 when none).
std::vector<InlineMarker> FindMarkers(std::string_view text, char tag, int digits) {
  std::vector<InlineMarker> found;
  const std::size_t length = 2 + static_cast<std::size_t>(digits);
  for (std::size_t i = 0; i + length <= text.size(); ++i) {
    if (text[i] != '\\' || text[i + 1] != tag) continue;
    int value = 0;
    bool valid = true;
    for (int d = 0; d < digits; ++d) {
      const char c = text[i + 2 + static_cast<std::size_t>(d)];
      valid = valid && IsDigit(c);
      value = value * 10 + (c - '0');
    }
    if (valid) found.push_back({static_cast<int>(i) + 1, value});
  }
  return found;
}

std::vector<InlineMarker> InValueOrder(std::vector<InlineMarker> markers, int lowest, int highest) {
  std::erase_if(markers, [&](const InlineMarker& m) { return m.value < lowest || m.value > highest; });
  std::stable_sort(markers.begin(), markers.end(),
                   [](const InlineMarker& a, const InlineMarker& b) { return a.value < b.value; });
  return markers;
}

}  // namespace

std::vector<InlineMarker> FindBulletMarkers(std::string_view text) {
  return InValueOrder(FindMarkers(text, '$', 1), 1, 4);
}

std::vector<InlineMarker> FindIconMarkers(std::string_view text) {
  return InValueOrder(FindMarkers(text, '#', 2), 1, 99);
}

std::vector<bool> MarkerCharacters(std::string_view text) {
  std::vector<bool> marker(text.size(), false);
  const auto mark = [&marker](const std::vector<InlineMarker>& found, std::size_t length) {
    for (const InlineMarker& m : found) {
      const auto first = static_cast<std::size_t>(m.position - 1);
      std::fill(marker.begin() + static_cast<std::ptrdiff_t>(first),
                marker.begin() + static_cast<std::ptrdiff_t>(std::min(first + length, marker.size())), true);
    }
  };
  mark(FindBulletMarkers(text), 3);
  mark(FindIconMarkers(text), 4);
  return marker;
}
