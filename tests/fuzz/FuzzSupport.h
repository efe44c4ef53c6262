#pragma once

#include "editor/FindReplace.h"
#include "tests/TempFolder.h"
#include "viewer/document/Document.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets and the seed writer share: how an input is cut into pieces, and a scratch folder.

// The pieces of `input` between `separator`s; with `limit` pieces at most, the last keeps the rest.
template <typename Char>
std::vector<std::basic_string_view<Char>> SplitInput(std::basic_string_view<Char> input, Char separator,
                                                     std::size_t limit = SIZE_MAX) {
  std::vector<std::basic_string_view<Char>> pieces;
  for (std::size_t end; pieces.size() + 1 < limit && (end = input.find(separator)) != input.npos;) {
    pieces.push_back(input.substr(0, end));
    input.remove_prefix(end + 1);
  }
  pieces.push_back(input);
  return pieces;
}

// A path in this process's scratch folder (in memory where it can be), removed when the process ends.
std::string ScratchPath(std::string_view name);

// A promise of the code under test was broken: report it and stop, so the fuzzer keeps the input.
[[noreturn]] void FailCheck(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition) ((condition) ? static_cast<void>(0) : FailCheck(#condition, __FILE__, __LINE__))

// What every document read keeps to: 1 to 200 pages, every line's text and alignment within their fields.
void CheckDocumentFields(const Document& document);

void EnsureGuiApplication();  // offscreen, for the drawing and picture targets

// The good cache the patch and journal inputs start from: a document with marks of every kind.
std::string BaseCache();
// One patch of the base cache: a 3-byte offset, a length byte, the bytes.
std::string CachePatch(std::size_t offset, std::string_view bytes);

// The page target's input: a header line whose first byte picks the guide line (0: off), then one line
// per page line, its fields separated by tabs in this order.
enum PageInputField : std::size_t {
  kFieldText, kFieldAlignment, kFieldUnderlines, kFieldBars, kFieldTwoColour, kFieldBold, kFieldLinkPieces,
  kFieldLinkTargets, kPageInputFields
};
inline constexpr char kPageLineSeparator = '\n';
inline constexpr char kPageFieldSeparator = '\t';

// The find and replace target's input, in little-endian UTF-16 units: a request count, the requests'
// flags, the selection's two ends, then the text, the search text and the replacement split by U+FFFF.
struct FindReplaceInput {
  std::vector<std::uint32_t> requests;
  TextSelection selection;
  std::u16string text, findText, replaceText;
};
FindReplaceInput DecodeFindReplaceInput(std::string_view bytes);
std::string EncodeFindReplaceInput(const FindReplaceInput& input);
