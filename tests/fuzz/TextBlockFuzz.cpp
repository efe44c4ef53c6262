// The footer wrapping over any text, box width and character widths: justification must hand out
// exactly the missing width over the blanks.
#include "tests/fuzz/FuzzSupport.h"
#include "viewer/settings/TextBlock.h"

#include <algorithm>
#include <numeric>

namespace {

// Widths only grow with length, as a font's do: fixed pitch, varied, or zero-width blanks.
TextWidthFn WidthFunction(unsigned char style) {
  return [style](std::string_view text) {
    int width = 0;
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      width += style % 3 == 0 ? 8 : style % 3 == 1 ? byte * 7 % 17 : byte == ' ' ? 0 : 1 + byte % 11;
    }
    return width;
  };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int boxWidth = (data[0] << 8 | data[1]) % 1024;
  const TextWidthFn width = WidthFunction(data[2]);
  const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
  const TextBlockLines lines = WrapTextBlock(text, width, boxWidth);
  int widest = 0;
  for (const std::string& entry : lines) widest = std::max(widest, width(entry));
  for (const std::string& entry : lines) {
    const int entryWidth = width(entry);
    const std::vector<int> gaps = JustificationGaps(entry, entryWidth, widest);
    if (gaps.empty()) continue;
    FUZZ_CHECK(gaps.size() == static_cast<std::size_t>(std::count(entry.begin(), entry.end(), ' ')));
    FUZZ_CHECK(std::accumulate(gaps.begin(), gaps.end(), 0) == widest - entryWidth);
    for (int alignment = 131; alignment <= 134; ++alignment) AlignedTextX(alignment, 0, entryWidth, boxWidth);
  }
  return 0;
}
