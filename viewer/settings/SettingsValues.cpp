#include "viewer/settings/SettingsValues.h"

#include "viewer/settings/ViewerSettings.h"

#include <algorithm>

namespace {

// Beyond every field's range, yet far from overflowing while digits are added.
constexpr std::uint64_t kMagnitudeCap = 100'000'000'000'000'000ULL;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a run of digits at `i` into `magnitude`, saturating at the cap.
// Returns how many digits were read.
std::size_t ReadDigits(std::string_view text, std::size_t& i, std::uint64_t& magnitude) {
  const std::size_t start = i;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = std::min(kMagnitudeCap, magnitude * 10 + std::uint64_t(text[i] - '0'));
  }
  return i - start;
}

// Whether a fraction (the digits after the point) rounds the integer part up,
// ties going to the even neighbour.
bool FractionRoundsUp(std::string_view fraction, bool integerIsOdd) {
  if (fraction.empty() || fraction[0] < '5') return false;
  if (fraction[0] > '5') return true;
  const bool aboveHalf = fraction.find_first_not_of('0', 1) != std::string_view::npos;
  return aboveHalf || integerIsOdd;
}

}  // namespace

std::int64_t ParseLeadingNumber(std::string_view text, std::int64_t lowest, std::int64_t highest) {
  std::size_t i = std::min(text.find_first_not_of(" \t"), text.size());
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;

  std::uint64_t magnitude = 0;
  const std::size_t integerStart = i;
  const std::size_t integerDigits = ReadDigits(text, i, magnitude);
  const bool integerIsOdd = integerDigits > 0 && (text[integerStart + integerDigits - 1] - '0') % 2 == 1;
  std::string_view fraction;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    fraction = text.substr(fractionStart, i - fractionStart);
  }
  if (FractionRoundsUp(fraction, integerIsOdd)) ++magnitude;

  const auto value = static_cast<std::int64_t>(magnitude);
  return std::clamp(negative ? -value : value, lowest, highest);
}

std::string FormatSettingsNumber(std::int64_t value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string FitFooterText(std::string_view cp1252) {
  std::string text(cp1252.substr(0, std::min(cp1252.find('\0'), kFooterTextMax)));
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return text;
}
