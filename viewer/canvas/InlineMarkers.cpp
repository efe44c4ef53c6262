#include "viewer/canvas/InlineMarkers.h"

#include <algorithm>

#include "platform/LineBreaking.h"

namespace {

// Every marker of `length` units in the text with the value its digits give.
std::vector<InlineMarker> FindMarkers(std::string_view text, std::size_t length) {
  std::vector<InlineMarker> found;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (InlineMarkerLength(text, i) != length) continue;
    int value = 0;
    for (std::size_t d = i + 2; d < i + length; ++d) value = value * 10 + (text[d] - '0');
    found.push_back({static_cast<int>(i) + 1, value});
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
  return InValueOrder(FindMarkers(text, 3), 1, 4);
}

std::vector<InlineMarker> FindIconMarkers(std::string_view text) {
  return InValueOrder(FindMarkers(text, 4), 1, 99);
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
