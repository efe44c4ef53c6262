#pragma once

#include "viewer/settings/ViewerSettings.h"

#include <array>
#include <string>
#include <string_view>

// The text on a page's number line: Arabic or Roman, upper or lower case,
// with or without the word for "page".

inline constexpr int kRomanNumeralPages = 200;
using RomanNumeralTable = std::array<std::string, kRomanNumeralPages + 1>;  // [1..200]

// The upper-case Roman numerals of pages 1..200 in the subtractive form.
const RomanNumeralTable& BuildRomanNumerals();

struct PageLabelStyle {
  int numbering = 1;      // 1 Arabic, anything else Roman
  int romanCase = 1;      // 1 upper case, anything else lower case
  int withPageWord = 1;   // not 0: the page word stands in front
};

inline PageLabelStyle PageLabelStyleOf(const PageNumberSettings& settings) {
  return {settings.numbering, settings.romanCase, settings.pageLabel};
}

// `pageWord` is the build's word with its trailing blank ("Página " / "Page ").
// Pages outside 1..200 have no numeral; their Roman label is empty.
std::string PageLabel(int page, const PageLabelStyle& style, std::string_view pageWord);
