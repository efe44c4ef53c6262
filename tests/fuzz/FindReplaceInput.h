#pragma once

#include "editor/FindReplace.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The find and replace target's input: a request count and one flags byte per
// request, the selection as two 16-bit numbers, then the text, the search
// text and the replacement in UTF-16 (little-endian) separated by U+FFFF.
struct FindReplaceInput {
  std::vector<std::uint32_t> requests;
  TextSelection selection;
  std::u16string text;
  std::u16string findText;
  std::u16string replaceText;
};

FindReplaceInput DecodeFindReplaceInput(std::string_view bytes);
std::string EncodeFindReplaceInput(const FindReplaceInput& input);
