#include "viewer/settings/TextBlock.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

void RemoveLeadingBlanks(std::string& s) {
  const auto first = s.find_first_not_of(' ');
  s.erase(0, first == std::string::npos ? s.size() : first);
}

// The number of leading characters that fit into `boxWidth`. Widths only grow
// with length, so a binary search over prefix lengths is enough.
std::size_t FittingPrefix(std::string_view text, const TextWidthFn& width, int boxWidth) {
  std::size_t low = 0, high = text.size();
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (width(text.substr(0, mid)) <= boxWidth) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
}

}  // namespace

std::pair<std::string, std::string> SplitAtWidth(std::string_view text, const TextWidthFn& width,
                                                 int boxWidth) {
  const std::size_t fits = FittingPrefix(text, width, boxWidth);
  if (fits == text.size()) return {std::string(text), {}};
  // The first character that does not fit is text[fits]; go back to a blank.
  const std::size_t blank = text.substr(0, fits + 1).find_last_of(' ');
  if (blank == std::string_view::npos) return {{}, std::string(text)};
  return {std::string(text.substr(0, blank)), std::string(text.substr(blank))};
}

TextBlockLines WrapTextBlock(std::string_view text, const TextWidthFn& width, int boxWidth) {
  TextBlockLines lines;
  std::tie(lines[0], lines[1]) = SplitAtWidth(text, width, boxWidth);
  for (int i = 1; i + 1 < kTextBlockEntries; ++i) {
    if (lines[i].size() <= lines[i - 1].size()) continue;
    auto [fitting, rest] = SplitAtWidth(lines[i], width, boxWidth);
    lines[i] = std::move(fitting);
    lines[i + 1] = std::move(rest);
    RemoveLeadingBlanks(lines[i]);
    RemoveLeadingBlanks(lines[i + 1]);
  }
  return lines;
}

int AlignedTextX(int alignment, int x, int entryWidth, int boxWidth) {
  switch (alignment) {
    case 132: return x + boxWidth - entryWidth - 3;
    case 133: return x + (boxWidth - entryWidth) / 2;
    default: return x;
  }
}

std::vector<int> JustificationGaps(std::string_view entry, int entryWidth, int widestWidth) {
  const auto blanks = static_cast<int>(std::count(entry.begin(), entry.end(), ' '));
  const bool stretched = entryWidth < widestWidth && entryWidth * 10 >= widestWidth * 8;
  if (!stretched || blanks == 0) return {};
  const int missing = widestWidth - entryWidth;
  std::vector<int> gaps(static_cast<std::size_t>(blanks), missing / blanks);
  for (int k = 0; k < missing % blanks; ++k) ++gaps[static_cast<std::size_t>(k)];
  return gaps;
}
