#pragma once

#include "viewer/document/LineRecord.h"

#include <array>
#include <cstddef>

// Where each field of a LineRecord sits in a record of cache.04. The file is
// addressed by record number, so these offsets never change.

// The layout shared by the link group and the bold group of a record.
struct MarkGroup {
  static constexpr std::size_t kFlag = 0;     // hasLinks / hasBold
  static constexpr std::size_t kCounter = 4;  // linkCounter / boldCounter
  static constexpr std::size_t kPieces = 8;   // linkPieces / boldPieces
  static constexpr std::size_t kReserved = kPieces + kMarkListFieldSize;
  static constexpr std::size_t kReservedSize = 3842;
  static constexpr std::size_t kTargets = kReserved + kReservedSize;  // linkTargets
  static constexpr std::size_t kAlignment = kTargets + kMarkListFieldSize;
  static constexpr std::size_t kSize = kAlignment + kAlignmentFieldSize;
};
static_assert(MarkGroup::kReserved == 460 && MarkGroup::kTargets == 4302);
static_assert(MarkGroup::kAlignment == 4754 && MarkGroup::kSize == 12436);

struct RecordLayout {
  static constexpr std::size_t kAbsoluteLine = 0;
  static constexpr std::size_t kPageNumber = 4;
  static constexpr std::size_t kText = 8;
  static constexpr std::size_t kHorizontalMarks = kText + kTextFieldSize;
  static constexpr std::size_t kHasMarks = kHorizontalMarks + kMarkListFieldSize;
  static constexpr std::size_t kTwoColourPieces = kHasMarks + 4;
  static constexpr std::size_t kVerticalMarks = kTwoColourPieces + kTwoColourFieldSize;
  static constexpr std::size_t kLinkGroup = kVerticalMarks + kMarkListFieldSize;
  static constexpr std::size_t kBoldGroup = kLinkGroup + MarkGroup::kSize;
  static constexpr std::size_t kLineInPage = kBoldGroup + MarkGroup::kSize;
  static constexpr std::size_t kImageLine = kLineInPage + 2;
  static constexpr std::size_t kKeepRecord = kImageLine + 4;
  static constexpr std::size_t kReserved = kKeepRecord + 4;
  static constexpr std::size_t kReservedSize = 5750;
  static constexpr std::size_t kLineBoxCopy = kReserved + kReservedSize;
  static constexpr std::size_t kTrailingReserved = kLineBoxCopy + sizeof(LineBoxBytes);
  static constexpr std::size_t kRecordSize = kTrailingReserved + 4;
};
static_assert(RecordLayout::kHorizontalMarks == 122 && RecordLayout::kHasMarks == 574);
static_assert(RecordLayout::kTwoColourPieces == 578 && RecordLayout::kVerticalMarks == 1602);
static_assert(RecordLayout::kLinkGroup == 2054 && RecordLayout::kBoldGroup == 14490);
static_assert(RecordLayout::kLineInPage == 26926 && RecordLayout::kImageLine == 26928);
static_assert(RecordLayout::kKeepRecord == 26932 && RecordLayout::kReserved == 26936);
static_assert(RecordLayout::kLineBoxCopy == 32686 && RecordLayout::kTrailingReserved == 32720);
static_assert(RecordLayout::kRecordSize == 32724);

inline constexpr std::size_t kRecordSize = RecordLayout::kRecordSize;

// The record's fields, for every codec of a line (the cache and the kept
// documents): each text with its place and room, each number with its place.
struct RecordTextField {
  std::size_t offset;
  std::size_t size;
  std::string LineRecord::*member;
};
inline constexpr std::array<RecordTextField, 8> kRecordTextFields{{
    {RecordLayout::kText, kTextFieldSize, &LineRecord::text},
    {RecordLayout::kHorizontalMarks, kMarkListFieldSize, &LineRecord::horizontalMarks},
    {RecordLayout::kTwoColourPieces, kTwoColourFieldSize, &LineRecord::twoColourPieces},
    {RecordLayout::kVerticalMarks, kMarkListFieldSize, &LineRecord::verticalMarks},
    {RecordLayout::kLinkGroup + MarkGroup::kPieces, kMarkListFieldSize, &LineRecord::linkPieces},
    {RecordLayout::kLinkGroup + MarkGroup::kTargets, kMarkListFieldSize, &LineRecord::linkTargets},
    {RecordLayout::kLinkGroup + MarkGroup::kAlignment, kAlignmentFieldSize, &LineRecord::alignment},
    {RecordLayout::kBoldGroup + MarkGroup::kPieces, kMarkListFieldSize, &LineRecord::boldPieces},
}};

struct RecordNumberField {
  std::size_t offset;
  std::int32_t LineRecord::*member;
};
inline constexpr std::array<RecordNumberField, 7> kRecordNumberFields{{
    {RecordLayout::kAbsoluteLine, &LineRecord::absoluteLine},
    {RecordLayout::kPageNumber, &LineRecord::pageNumber},
    {RecordLayout::kHasMarks, &LineRecord::hasMarks},
    {RecordLayout::kLinkGroup + MarkGroup::kFlag, &LineRecord::hasLinks},
    {RecordLayout::kBoldGroup + MarkGroup::kFlag, &LineRecord::hasBold},
    {RecordLayout::kImageLine, &LineRecord::imageLine},
    {RecordLayout::kKeepRecord, &LineRecord::keepRecord},
}};

// The byte ranges of a record kept only as ReservedBytes. The bold group has
// no targets and no alignment, so its tail from the reserved field on is one
// range.
struct ReservedRange {
  std::size_t offset;
  std::size_t size;
};
inline constexpr std::array<ReservedRange, 4> kReservedRanges{{
    {RecordLayout::kLinkGroup + MarkGroup::kReserved, MarkGroup::kReservedSize},
    {RecordLayout::kBoldGroup + MarkGroup::kReserved, MarkGroup::kSize - MarkGroup::kReserved},
    {RecordLayout::kReserved, RecordLayout::kReservedSize},
    {RecordLayout::kTrailingReserved, 4},
}};
