#pragma once

#include "viewer/document/Document.h"

#include <cstddef>
#include <string>
#include <string_view>

// The cache target's inputs: the first byte picks how the rest is used.
enum class CacheInputMode : unsigned char { WholeFile = 0, Patches = 1, Journal = 2 };
inline constexpr unsigned char kCacheInputModes = 3;

// The good document the patch and journal inputs start from: two lines of
// page 1 with marks of every kind.
Document FuzzBaseDocument();

// One patch of the base cache: `bytes` written at `offset`.
std::string CachePatch(std::size_t offset, std::string_view bytes);

// The page target's input: a header line whose first byte picks the guide
// line (0 leaves the guide off), then one line per page line, its fields
// separated by tabs in this order.
enum PageInputField : std::size_t {
  kFieldText,
  kFieldAlignment,
  kFieldUnderlines,
  kFieldBars,
  kFieldTwoColour,
  kFieldBold,
  kFieldLinkPieces,
  kFieldLinkTargets,
  kPageInputFields
};
inline constexpr char kPageLineSeparator = '\n';
inline constexpr char kPageFieldSeparator = '\t';
