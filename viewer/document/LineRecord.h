#pragma once

#include "viewer/document/PageGeometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Widths of the stored text fields, terminating zero included: a field holds
// at most its width minus one characters.
inline constexpr std::size_t kTextFieldSize = kMaxLineText + 1;
inline constexpr std::size_t kMarkListFieldSize = 452;
inline constexpr std::size_t kTwoColourFieldSize = 1024;
inline constexpr std::size_t kAlignmentFieldSize = 7682;

// Alignment tags of a line; an empty tag means left.
inline constexpr std::string_view kAlignLeft = "AL1";
inline constexpr std::string_view kAlignCentre = "AL2";
inline constexpr std::string_view kAlignRight = "AL3";

// How much of `value` a text field stores: up to the first zero byte (which
// would end it on disk) and at most the field's width minus one.
std::size_t TextFieldLength(std::string_view value, std::size_t fieldSize);
// The stored part itself.
std::string FitTextField(std::string_view value, std::size_t fieldSize);

// Bytes of a record that no feature uses but that must survive a read and a
// write. Only the runs that are not zero are kept, so an ordinary line costs
// nothing here.
struct ReservedBytes {
  struct Run {
    std::uint16_t offset = 0;  // within the stored record
    std::string bytes;
    friend bool operator==(const Run&, const Run&) = default;
  };
  std::vector<Run> runs;

  friend bool operator==(const ReservedBytes&, const ReservedBytes&) = default;
};

// One line slot of the document as held in memory. The document-wide link and
// bold counters and the saved LineBox bytes that every stored record carries
// are not kept per line: they are copied in when the cache is written.
struct LineRecord {
  std::int32_t absoluteLine = 0;  // 0 = slot not in use
  std::int32_t pageNumber = 0;
  std::string text;  // for an image line, the picture's file name
  std::string horizontalMarks;
  std::int32_t hasMarks = 0;
  std::string twoColourPieces;
  std::string verticalMarks;
  std::int32_t hasLinks = 0;
  std::string linkPieces;
  std::string linkTargets;
  std::string alignment;
  std::int32_t hasBold = 0;
  std::string boldPieces;
  std::int16_t lineInPage = 0;
  std::int32_t imageLine = 0;
  std::int32_t keepRecord = 0;  // write the record even when absoluteLine is 0
  ReservedBytes reserved;

  // Used slots are the ones written to the cache and drawn.
  bool IsInUse() const { return absoluteLine > 0 || keepRecord == 1; }

  friend bool operator==(const LineRecord&, const LineRecord&) = default;
};

// The saved tail of a LineBox (its bytes 24..57), carried by the cache.
using LineBoxBytes = std::array<std::uint8_t, 34>;

// The side record of a slot: its hit box, set when the line is drawn.
struct LineBox {
  std::int32_t x0 = 0;
  std::int32_t y0 = 0;
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t reserved = 0;
  std::int32_t absoluteLine = 0;
  LineBoxBytes savedBytes{};

  friend bool operator==(const LineBox&, const LineBox&) = default;
};
