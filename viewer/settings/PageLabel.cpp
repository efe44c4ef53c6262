#include "viewer/settings/PageLabel.h"

#include <cctype>

namespace {

std::string ToRoman(int n) {
  static constexpr struct {
    int value;
    const char* numeral;
  } kSteps[] = {{100, "C"}, {90, "XC"}, {50, "L"}, {40, "XL"}, {10, "X"},
                {9, "IX"},  {5, "V"},   {4, "IV"}, {1, "I"}};
  std::string out;
  for (const auto& step : kSteps) {
    for (; n >= step.value; n -= step.value) out += step.numeral;
  }
  return out;
}

}  // namespace

const RomanNumeralTable& BuildRomanNumerals() {
  static const RomanNumeralTable table = [] {
    RomanNumeralTable t;
    for (int page = 1; page <= kRomanNumeralPages; ++page) t[page] = ToRoman(page);
    return t;
  }();
  return table;
}

std::string PageLabel(int page, const PageLabelStyle& style, std::string_view pageWord) {
  std::string number;
  if (style.numbering == 1) {
    number = std::to_string(page);
  } else if (page >= 1 && page <= kRomanNumeralPages) {
    number = BuildRomanNumerals()[static_cast<std::size_t>(page)];
    if (style.romanCase != 1) {
      for (char& c : number) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return style.withPageWord != 0 ? std::string(pageWord) + number : number;
}
